#include "bench/OpenSslMd5.h"

#include <openssl/evp.h>

// The algorithm is fetched once and the context reused, so each digest
// costs what OpenSSL's MD5 itself costs.
struct OpenSslMd5::Handles {
    EVP_MD* md = nullptr;
    EVP_MD_CTX* context = nullptr;
};

OpenSslMd5::OpenSslMd5() : handles_(new Handles) {
    handles_->md = EVP_MD_fetch(nullptr, "MD5", nullptr);
    handles_->context = EVP_MD_CTX_new();
}

OpenSslMd5::~OpenSslMd5() {
    EVP_MD_CTX_free(handles_->context);
    EVP_MD_free(handles_->md);
    delete handles_;
}

bool OpenSslMd5::digest(const unsigned char* bytes, std::size_t size, unsigned char out[16]) {
    if (handles_->md == nullptr || handles_->context == nullptr) return false;
    unsigned int length = 0;
    return EVP_DigestInit_ex(handles_->context, handles_->md, nullptr) == 1 &&
           EVP_DigestUpdate(handles_->context, bytes, size) == 1 &&
           EVP_DigestFinal_ex(handles_->context, out, &length) == 1 && length == 16;
}
