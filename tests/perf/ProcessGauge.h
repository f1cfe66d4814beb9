// What another process holds: memory (working set, its peak, private
// bytes) and handles (windows, GDI objects, user objects, kernel handles).
// Where the system cannot tell a figure it is -1.
//
// Under Wine GetGuiResources is not implemented; the GDI objects are then
// counted in the process's own GDI handle table, which its PEB points to.
// Wine has no such table for user objects, so those stay -1 there; the
// windows are counted one by one on every system.
#pragma once

#include <windows.h>

#include <string>

struct ProcessReading {
    long long workingSetKb = -1;
    long long peakWorkingSetKb = -1;
    long long privateKb = -1;
    long long windows = -1;
    long long gdiObjects = -1;
    long long userObjects = -1;
    long long kernelHandles = -1;

    std::string text() const;
};

class ProcessGauge {
public:
    explicit ProcessGauge(DWORD pid);
    ~ProcessGauge();
    ProcessGauge(const ProcessGauge&) = delete;
    ProcessGauge& operator=(const ProcessGauge&) = delete;

    ProcessReading read() const;

private:
    long long countWindows() const;
    long long countGdiObjectsInTable() const;

    DWORD pid_;
    HANDLE process_;
};
