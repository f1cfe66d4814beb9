// The byte scrambling pair exported from quillbox.exe. Each byte b becomes
// ~(b ^ 0xA6); the transform is its own inverse. Self-contained like MD5.
#pragma once

extern "C" {

// Both return -1 for a null pointer or n == 0, else 0 (a negative n changes
// nothing).
int EnCryptData(unsigned char* data, int n);
int DeCryptData(unsigned char* data, int n);

}
