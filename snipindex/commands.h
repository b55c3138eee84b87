// snipindex's commands, each writing what it tells to `out` and its problems to
// `err`, and giving the exit status.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>

namespace snipindex {

// Makes a P-256 key at keyFile (PEM, mode 0600; never over an existing file)
// and prints the build setting of its public half.
int keygen(const std::filesystem::path& keyFile, std::ostream& out, std::ostream& err);

// Writes Sniplets.txt and Sniplets.index for the *.snp files of `folder`,
// signed with the key in keyFile, expiring `days` days after `now` (seconds
// since 1970, UTC).
int publish(const std::filesystem::path& folder, const std::filesystem::path& keyFile, int days,
            std::int64_t now, std::ostream& out, std::ostream& err);

// Checks the folder's index against the key (base64 of 04 X Y) and the files.
int verify(const std::filesystem::path& folder, const std::string& key, std::int64_t now,
           std::ostream& out, std::ostream& err);

} // namespace snipindex
