#pragma once
// The main dialog's logic wired to recording fakes of every seam.

#include <filesystem>
#include <memory>

#include "app/ZornMouseApplicationDlg.h"
#include "fakes/FakeDialogShell.h"
#include "fakes/FakeHookLibraries.h"
#include "fakes/FakeInputSystem.h"
#include "fakes/FakeProcessInfo.h"
#include "fakes/FakeSystemActions.h"
#include "fakes/FakeUserRegistry.h"
#include "fakes/FakeWindowHost.h"
#include "fakes/FakeWorkerThreads.h"
#include "fakes/NullStores.h"

namespace tressel::testing {

// The stores are null ones unless a test asks for real files (IniProfileStore and
// PortableFileSystem, say).
template <typename Profiles = NullProfileStore, typename Files = NullFileSystem>
struct BasicDialogFixture {
    CallLog log;
    FakeWindowHost window{log};
    FakeDialogShell shell{log};
    FakeHookLibraries hooks{log};
    FakeInputSystem input{log};
    FakeSystemActions system{log};
    FakeWorkerThreads threads{log};
    Profiles profiles;
    Files files;
    FakeUserRegistry registry{log};
    FakeProcessInfo process{log};
    CZornMouseApplicationDlg dialog{DialogPlatform{window, shell, hooks, input, system, threads,
                                                   profiles, files, registry, process}};
};

using DialogFixture = BasicDialogFixture<>;

}  // namespace tressel::testing
