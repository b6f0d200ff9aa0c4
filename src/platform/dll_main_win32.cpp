// Start and stop of the DLL. Loading sets what the library's arithmetic and
// lower-casing depend on; unloading closes any file still held open. Nothing
// else happens here: no console, no file access.
#if defined(_WIN32)

#include "platform/platform.hpp"

#include <clocale>
#include <float.h>
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        // Lower-casing of bytes from 128 up follows the user's locale.
        std::setlocale(LC_CTYPE, "");
#if defined(__i386__)
        // The x87 unit of the loading thread: 64-bit precision, round to
        // nearest. The library's own doubles use SSE2 and are unaffected.
        _controlfp(_PC_64 | _RC_NEAR, _MCW_PC | _MCW_RC);
#endif
        break;
    case DLL_PROCESS_DETACH:
        vexl::platform::closeAllFiles();
        break;
    default:
        break;
    }
    return TRUE;
}

#endif
