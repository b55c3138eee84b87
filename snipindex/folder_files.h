// The files of a sniplet folder, read and written as publishing needs them.
#pragma once

#include "snipindex/index_text.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace snipindex {

// Why a name cannot be published: empty when snipfetch would list the name
// exactly as it is (well-formed UTF-8, a usable file name, no blank at either
// end, which the catalogue would trim).
std::string whyNotListable(const std::string& name);

// The regular files named *.snp in the folder, sorted by the bytes of their
// names, each with its size and SHA-256. Nothing, with every problem in
// `problems`, when any such entry is a link or not a regular file, has a name
// snipfetch would not list, or cannot be read.
std::optional<std::vector<PublishedFile>> snipletFiles(const std::filesystem::path& folder,
                                                       std::vector<std::string>& problems);

// The whole file; nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// The size and SHA-256 of a file, read in pieces.
std::optional<PublishedFile> hashFile(const std::filesystem::path& path);

// Writes a temporary file beside `path` and renames it into place.
bool replaceFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace snipindex
