// The folder the measured copy of quillbox.exe runs in: the program, an
// Inkwell.cfg with the lists at their largest (100 active texts) and the
// quick-paste menu showing both lists, and a poolfile.bin that fills them
// (10 favorites, 100 active texts of about 1 KB), so that every capture
// meets a full list.
#pragma once

#include <string>

class ProbeFolder {
public:
    // Makes the folder and its files; false when any of it fails.
    static bool prepare(const std::wstring& folder, const std::wstring& quillboxExe);
    // Leaves the program with empty lists and its default settings: no
    // poolfile.bin, no Inkwell.cfg.
    static bool prepareEmpty(const std::wstring& folder);
    static std::wstring programIn(const std::wstring& folder) { return folder + L"\\quillbox.exe"; }
};
