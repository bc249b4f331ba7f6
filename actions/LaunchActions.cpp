#include "actions/LaunchActions.h"

namespace tressel {
namespace {
constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
}  // namespace

std::optional<PowerRefusal> PerformLaunch(const std::wstring& launchTarget, SystemActions& system) {
    if (launchTarget == kShutdownToken) return ShutDown(system);
    if (launchTarget == kHibernateToken) return Hibernate(system);
    if (launchTarget == kStandbyToken) return StandBy(system);
    system.OpenWithShell(L"open", launchTarget, L"", L"", kShowNormal);
    return std::nullopt;
}

}  // namespace tressel
