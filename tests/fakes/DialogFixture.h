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

struct DialogFixture {
    CallLog log;
    FakeWindowHost window{log};
    FakeDialogShell shell{log};
    FakeHookLibraries hooks{log};
    FakeInputSystem input{log};
    FakeSystemActions system{log};
    FakeWorkerThreads threads{log};
    NullProfileStore profiles;
    NullFileSystem files;
    FakeUserRegistry registry{log};
    FakeProcessInfo process{log};
    CZornMouseApplicationDlg dialog{DialogPlatform{window, shell, hooks, input, system, threads,
                                                   profiles, files, registry, process}};
};

}  // namespace tressel::testing
