// Version of the program, shown in the tray tip and the version resource.
namespace tressel {
extern const wchar_t kVersionText[] = L"3.4";
}  // namespace tressel
