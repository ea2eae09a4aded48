#include "keystretching.h"

// The one-block transform is all this needs; OpenSSL 3 keeps it, marked as low level.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/sha.h>

#include <array>
#include <cstring>

namespace keystretching {

namespace {

constexpr int kBlock = 64, kDigest = 20;
using Digest = std::array<unsigned char, kDigest>;

// A SHA-1 state after one 64-byte block: the HMAC key xor a pad.
SHA_CTX padState(const unsigned char *key, unsigned char pad)
{
    unsigned char block[kBlock];
    for (int i = 0; i < kBlock; ++i)
        block[i] = key[i] ^ pad;
    SHA_CTX state;
    SHA1_Init(&state);
    SHA1_Update(&state, block, kBlock);
    return state;
}

void storeBigEndian(unsigned char *to, unsigned int value)
{
    to[0] = static_cast<unsigned char>(value >> 24);
    to[1] = static_cast<unsigned char>(value >> 16);
    to[2] = static_cast<unsigned char>(value >> 8);
    to[3] = static_cast<unsigned char>(value);
}

// One more 64-byte block holding a 20-byte message after 64 bytes already hashed, padded as
// SHA-1 pads the 84-byte whole; the digest comes back from the state's words.
Digest finishTwentyBytes(const SHA_CTX &afterPad, const unsigned char *message)
{
    unsigned char block[kBlock] = {};
    std::memcpy(block, message, kDigest);
    block[kDigest] = 0x80;
    constexpr unsigned int kBits = (kBlock + kDigest) * 8;
    storeBigEndian(block + kBlock - 4, kBits);
    SHA_CTX state = afterPad;
    SHA1_Transform(&state, block);
    Digest out;
    const unsigned int words[] = { state.h0, state.h1, state.h2, state.h3, state.h4 };
    for (int i = 0; i < 5; ++i)
        storeBigEndian(out.data() + 4 * i, words[i]);
    return out;
}

} // namespace

QByteArray pbkdf2Sha1(
    const QByteArray &passphrase, const QByteArray &salt, int iterations, int keyBytes)
{
    unsigned char key[kBlock] = {};
    if (passphrase.size() > kBlock)
        SHA1(reinterpret_cast<const unsigned char *>(passphrase.constData()),
            size_t(passphrase.size()), key);
    else
        std::memcpy(key, passphrase.constData(), size_t(passphrase.size()));
    const SHA_CTX inner = padState(key, 0x36);
    const SHA_CTX outer = padState(key, 0x5c);

    QByteArray result;
    for (unsigned int index = 1; result.size() < keyBytes; ++index) {
        // U1 = HMAC(salt ‖ index), the only round whose message is not one digest long.
        SHA_CTX first = inner;
        unsigned char counter[4];
        storeBigEndian(counter, index);
        SHA1_Update(&first, salt.constData(), size_t(salt.size()));
        SHA1_Update(&first, counter, 4);
        Digest u;
        SHA1_Final(u.data(), &first);
        u = finishTwentyBytes(outer, u.data());
        Digest sum = u;
        for (int round = 1; round < iterations; ++round) {
            u = finishTwentyBytes(outer, finishTwentyBytes(inner, u.data()).data());
            for (int i = 0; i < kDigest; ++i)
                sum[i] ^= u[i];
        }
        result.append(reinterpret_cast<const char *>(sum.data()), kDigest);
    }
    result.truncate(keyBytes);
    return result;
}

} // namespace keystretching
