#pragma once

#include <QByteArray>

namespace keystretching {

// PBKDF2-HMAC-SHA1 (RFC 8018), as the data file's engine stretches a passphrase. Done here
// block by block on precomputed pad states: the general routine of the crypto library sets
// up an HMAC on every one of the 64,000 rounds and takes six times as long, which a parent
// waits through on every start.
QByteArray pbkdf2Sha1(
    const QByteArray &passphrase, const QByteArray &salt, int iterations, int keyBytes);

} // namespace keystretching
