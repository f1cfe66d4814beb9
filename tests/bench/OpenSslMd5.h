// OpenSSL's MD5, the reference the program's MD5 is measured against. Kept
// in a file of its own: OpenSSL's headers declare an MD5_CTX of their own.
#pragma once

#include <cstddef>

class OpenSslMd5 {
public:
    OpenSslMd5();
    ~OpenSslMd5();
    OpenSslMd5(const OpenSslMd5&) = delete;
    OpenSslMd5& operator=(const OpenSslMd5&) = delete;

    // The 16 digest bytes of size bytes; false when OpenSSL fails.
    bool digest(const unsigned char* bytes, std::size_t size, unsigned char out[16]);

private:
    struct Handles;
    Handles* handles_;
};
