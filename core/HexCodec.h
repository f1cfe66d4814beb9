// Upper-case hex codec used for the digest column of the list views.
// Exported from quillbox.exe; self-contained like the MD5 functions.
#pragma once

extern "C" {

// Writes 2*n hex characters and a terminator into out (size bytes, all
// zeroed first). Returns 2*n, or -1 when 2*n >= size or n is negative (out
// untouched).
int BufferToHexStr(const unsigned char* data, int n, char* out, int size);

// Turns m hex characters ("0"-"9", "A"-"F") into m/2 bytes. Returns m/2,
// -1 when m/2 > size, -2 when m is odd or negative, -3 at the first invalid
// character (bytes of the pairs before it are already written).
int HexStrToBuffer(const char* hex, int m, unsigned char* out, int size);

}
