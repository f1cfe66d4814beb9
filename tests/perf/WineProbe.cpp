// Measures the running program under Wine (see ProbeRun.h). Run by
// scripts/measure-wine.sh:
//   qb_wine_probe.exe QUILLBOX_EXE FOLDER [ROUNDS SOAK_CAPTURES SOAK_MENUS]
// With --bare-viewer it is the reference viewer instead: it joins the
// clipboard viewer chain, reads each text and passes the notice on, until
// its window is closed.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "perf/ChainViewer.h"
#include "perf/ProbeRun.h"

namespace {

int runBareViewer() {
    ChainViewer viewer(true);
    if (!viewer.joined()) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wcscmp(argv[1], L"--bare-viewer") == 0) return runBareViewer();
    if (argc < 3) {
        std::fprintf(stderr, "usage: qb_wine_probe QUILLBOX_EXE FOLDER [ROUNDS SOAK_CAPTURES SOAK_MENUS]\n");
        return 2;
    }
    ProbeOptions options;
    options.quillbox = argv[1];
    options.folder = argv[2];
    if (argc >= 4) options.rounds = _wtoi(argv[3]);
    if (argc >= 5) options.soakCaptures = _wtoi(argv[4]);
    if (argc >= 6) options.soakMenus = _wtoi(argv[5]);
    return ProbeRun(options).run();
}
