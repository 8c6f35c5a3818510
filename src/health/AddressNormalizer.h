#pragma once

#include <QString>

// Brings addresses that lead to the same page to one text, so copies saved with
// different tracking tags or letter case compare equal.
struct NormalizeOptions
{
    bool mergeSchemes = false; // http and https count as one
    bool ignoreWww = false;    // "www.example.org" is "example.org"
};

class AddressNormalizer
{
public:
    using Options = NormalizeOptions;

    // Scheme and host in small letters, no default port, "/" for an empty path, no
    // fragment, no utm_*, fbclid or gclid parameters. Text that is no address comes back
    // trimmed but otherwise as it was.
    static QString Normalize(const QString& address, Options options = {});
};
