#include "snipindex/folder_files.h"

#include "platform/file_names.h"
#include "platform/utf8.h"

#include <algorithm>
#include <fstream>
#include <unistd.h>

namespace snipindex {

namespace fs = std::filesystem;

std::string whyNotListable(const std::string& name) {
    const auto decoded = platform::decodeUtf8(name);
    if (!decoded) {
        return "its name is not UTF-8";
    }
    if (name.front() == ' ' || name.back() == ' ') {
        return "its name begins or ends with a blank";
    }
    if (!platform::isUsableFileName(*decoded)) {
        return "its name is not one that snipfetch lists";
    }
    return {};
}

std::optional<std::string> readWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<PublishedFile> hashFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    PublishedFile file;
    platform::Sha256 hash;
    std::string buffer(1 << 16, '\0');
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        hash.add(std::string_view(buffer).substr(0, got));
        file.size += got;
    }
    const auto digest = hash.finish();
    if (in.bad() || !digest) {
        return std::nullopt;
    }
    file.sha256 = *digest;
    return file;
}

std::optional<std::vector<PublishedFile>> snipletFiles(const fs::path& folder,
                                                       std::vector<std::string>& problems) {
    std::vector<PublishedFile> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.ends_with(".snp")) {
            continue;
        }
        const auto status = it->symlink_status(error);
        if (error) {
            break;
        }
        if (fs::is_symlink(status) || !fs::is_regular_file(status)) {
            problems.push_back(name + ": not a regular file (links and other entries are refused)");
            continue;
        }
        if (const auto why = whyNotListable(name); !why.empty()) {
            problems.push_back(name + ": " + why);
            continue;
        }
        auto file = hashFile(it->path());
        if (!file) {
            problems.push_back(name + ": cannot be read");
            continue;
        }
        file->name = name;
        files.push_back(*file);
    }
    if (error) {
        problems.push_back(folder.string() + ": " + error.message());
    }
    if (!problems.empty()) {
        return std::nullopt;
    }
    // std::string compares its chars as unsigned: the order of the bytes.
    std::sort(files.begin(), files.end(),
              [](const PublishedFile& a, const PublishedFile& b) { return a.name < b.name; });
    return files;
}

bool replaceFile(const fs::path& path, const std::string& bytes) {
    // Hidden, and named after this process, so that two runs never share one.
    std::string temporaryName = ".";
    temporaryName.append(path.filename().string()).append(".").append(std::to_string(getpid()));
    const fs::path temporary = path.parent_path() / temporaryName;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace snipindex
