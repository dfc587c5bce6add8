// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/SettingsFile.h"

#include "catalog/LibplistInputCheck.h"
#include "core/AtomicFile.h"
#include "core/XdgPaths.h"

#include <plist/plist.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace tiklo {

namespace {

// Far beyond any settings file; larger ones are kept aside like unreadable ones.
constexpr std::size_t maxFileSize = 64 * 1024 * 1024;
constexpr std::string_view binaryMagic = "bplist00";

struct PlistDeleter {
    void operator()(void* node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }

private:
    int fd_;
};

// O_NONBLOCK so that a FIFO put in the file's place cannot hang the program.
FileDescriptor openForReading(const std::filesystem::path& path) {
    return FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
}

// What stands at `path` when it can never be read or replaced as a file; nothing for a
// regular file or for nothing at all. Decided without opening: opening a FIFO can block.
const char* whyNotAFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISREG(info.st_mode)) {
            return nullptr;
        }
        if (S_ISDIR(info.st_mode)) {
            return "a folder";
        }
        if (S_ISFIFO(info.st_mode)) {
            return "a FIFO";
        }
        return S_ISSOCK(info.st_mode) ? "a socket" : "a device";
    }
    if (errno == ELOOP) {
        return "a loop of symbolic links";
    }
    if (errno == ENOENT && ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        return "a symbolic link to nothing";
    }
    return nullptr;
}

bool isRegularFile(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> readRegularFile(int fd) {
    if (!isRegularFile(fd)) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    while (true) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) {
            return bytes;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (bytes.size() + static_cast<std::size_t>(count) > maxFileSize) {
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

std::string utcTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    const std::size_t length = std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &parts);
    return std::string(text, length);
}

// The root dictionary, or nothing when the bytes are no property list libplist can safely read
// or their root is something else.
PlistPtr parseDictionary(std::string_view bytes) {
    plist_t root = nullptr;
    if (bytes.starts_with(binaryMagic)) {
        if (LibplistInputCheck::isSafeBinary(bytes)) {
            plist_from_bin(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
        }
    } else if (LibplistInputCheck::isSafeXml(bytes)) {
        plist_from_xml(bytes.data(), static_cast<std::uint32_t>(bytes.size()), &root);
    }
    PlistPtr tree(root);
    if (tree && plist_get_node_type(tree.get()) != PLIST_DICT) {
        tree.reset();
    }
    return tree;
}

} // namespace

void SettingsFile::NodeDeleter::operator()(void* node) const {
    plist_free(node);
}

SettingsFile::SettingsFile(std::filesystem::path file, LogSink warn)
    : file_(std::move(file)), warn_(std::move(warn)) {
    if (!warn_) {
        warn_ = [](const std::string&) {};
    }
    load();
}

std::filesystem::path SettingsFile::defaultPath() {
    return xdgConfigHome() / "tiklo" / "defaults.plist";
}

std::filesystem::path SettingsFile::folder() const {
    const std::filesystem::path parent = file_.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

void SettingsFile::load() {
    stamp_ = FileStamp::of(file_);
    if (const char* what = whyNotAFile(file_)) {
        notAFile_ = true;
        failureLogged_ = true; // every write fails for this reason, said here once
        warn_("The settings file " + file_.string() + " is " + what +
              ": settings are kept in memory only");
        return;
    }
    const FileDescriptor fd = openForReading(file_);
    if (!fd.valid()) {
        // Only a file that is not there reads as empty; one that cannot be opened must survive.
        unreadableOnDisk_ = errno != ENOENT && errno != ENOTDIR;
        return;
    }
    const std::optional<std::string> bytes = readRegularFile(fd.get());
    const PlistPtr root = bytes ? parseDictionary(*bytes) : nullptr;
    if (!root) {
        unreadableOnDisk_ = true;
        return;
    }

    plist_dict_iter rawIterator = nullptr;
    plist_dict_new_iter(root.get(), &rawIterator);
    const std::unique_ptr<void, decltype(&std::free)> iterator(rawIterator, &std::free);
    while (iterator) {
        char* rawKey = nullptr;
        plist_t node = nullptr;
        plist_dict_next_item(root.get(), iterator.get(), &rawKey, &node);
        const std::unique_ptr<char, decltype(&std::free)> key(rawKey, &std::free);
        if (node == nullptr) {
            break;
        }
        if (!key) {
            continue;
        }
        std::uint64_t length = 0;
        switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            std::uint8_t flag = 0;
            plist_get_bool_val(node, &flag);
            values_.insert_or_assign(key.get(), Value(flag != 0));
            break;
        }
        case PLIST_STRING: {
            const char* text = plist_get_string_ptr(node, &length);
            values_.insert_or_assign(key.get(),
                                     Value(text != nullptr ? std::string(text, length) : ""));
            break;
        }
        case PLIST_DATA: {
            const char* data = plist_get_data_ptr(node, &length);
            values_.insert_or_assign(key.get(),
                                     Value(Data{data != nullptr ? std::string(data, length) : ""}));
            break;
        }
        default:
            values_.insert_or_assign(key.get(), Value(ForeignNode(plist_copy(node))));
            break;
        }
    }
}

bool SettingsFile::contains(const std::string& key) const {
    return values_.find(key) != values_.end();
}

std::optional<bool> SettingsFile::boolValue(const std::string& key) const {
    const auto found = values_.find(key);
    if (found == values_.end() || !std::holds_alternative<bool>(found->second)) {
        return std::nullopt;
    }
    return std::get<bool>(found->second);
}

std::optional<std::string> SettingsFile::stringValue(const std::string& key) const {
    const auto found = values_.find(key);
    if (found == values_.end() || !std::holds_alternative<std::string>(found->second)) {
        return std::nullopt;
    }
    return std::get<std::string>(found->second);
}

std::optional<std::string> SettingsFile::dataValue(const std::string& key) const {
    const auto found = values_.find(key);
    if (found == values_.end() || !std::holds_alternative<Data>(found->second)) {
        return std::nullopt;
    }
    return std::get<Data>(found->second).bytes;
}

Result SettingsFile::write(const Entries& entries) {
    readAgainIfChanged();
    for (const auto& [key, value] : entries) {
        values_.insert_or_assign(key, std::visit([](const auto& v) { return Value(v); }, value));
    }
    const Result result = persist();
    unsavedInMemory_ = !result;
    if (result) {
        failureLogged_ = false;
    } else if (!failureLogged_) {
        failureLogged_ = true;
        // The reason only: the values are the user's.
        warn_("The settings could not be written, they are kept in memory: " +
              result.description());
    }
    return result;
}

void SettingsFile::keepCopyBeforeNextWrite() {
    unreadableOnDisk_ = true;
}

bool SettingsFile::reloadIfChanged() {
    readAgainIfChanged();
    return std::exchange(readAgain_, false);
}

void SettingsFile::readAgainIfChanged() {
    if (notAFile_ || unsavedInMemory_ || FileStamp::of(file_) == stamp_) {
        return;
    }
    // A copy already due is still due: it holds what this store could not read.
    const bool copyDue = unreadableOnDisk_;
    values_.clear();
    unreadableOnDisk_ = false;
    load();
    unreadableOnDisk_ = unreadableOnDisk_ || copyDue;
    readAgain_ = true;
}

Result SettingsFile::persist() {
    if (notAFile_) {
        return Result::failure("the settings path cannot be a file");
    }
    if (!staleTemporaryFilesRemoved_) {
        removeStaleTemporaryFiles();
    }
    if (unreadableOnDisk_) {
        if (const Result copied = setAsideUnreadableFile(); !copied) {
            return copied;
        }
        unreadableOnDisk_ = false;
    }

    // Keys and strings travel as C strings, so a U+0000 would silently cut them short; such
    // entries stay in memory only, and the write reports them as not kept.
    bool complete = true;
    const PlistPtr root(plist_new_dict());
    for (const auto& [key, value] : values_) {
        plist_t node = nullptr;
        if (const auto* flag = std::get_if<bool>(&value)) {
            node = plist_new_bool(*flag ? 1 : 0);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            node =
                text->find('\0') == std::string::npos ? plist_new_string(text->c_str()) : nullptr;
        } else if (const auto* data = std::get_if<Data>(&value)) {
            node = plist_new_data(data->bytes.data(), data->bytes.size());
        } else {
            node = plist_copy(std::get<ForeignNode>(value).get());
        }
        if (node == nullptr || key.find('\0') != std::string::npos) {
            plist_free(node);
            complete = false;
            continue;
        }
        plist_dict_set_item(root.get(), key.c_str(), node);
    }
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    if (xml == nullptr) {
        return Result::failure("cannot form the property list");
    }
    const std::unique_ptr<char, decltype(&plist_to_xml_free)> owned(xml, &plist_to_xml_free);
    // Folders made here are private to the user.
    if (const Result written = AtomicFile::write(file_, std::string_view(xml, length), 0600, 0700);
        !written) {
        return written;
    }
    stamp_ = FileStamp::of(file_);
    if (!complete) {
        return Result::failure("a key or text holding U+0000 cannot be written");
    }
    return Result::success();
}

// A crash between creating and renaming a temporary file leaves it behind; the next run clears
// such leftovers once, before its first write.
void SettingsFile::removeStaleTemporaryFiles() {
    staleTemporaryFilesRemoved_ = AtomicFile::removeLeftovers(file_).ok();
}

// Copies the bytes now on disk to a new file beside it, never over an earlier copy.
Result SettingsFile::setAsideUnreadableFile() const {
    const FileDescriptor source = openForReading(file_);
    if (!source.valid()) {
        // Gone meanwhile: nothing left to keep.
        return errno == ENOENT ? Result::success()
                               : Result::failure(errno, "cannot read the unreadable settings "
                                                        "file to keep a copy of it");
    }
    if (!isRegularFile(source.get())) {
        return Result::failure("the settings file is no longer a regular file");
    }
    const std::filesystem::path dir = folder();
    const std::string base = file_.filename().string() + ".corrupt-" + utcTimestamp();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path copy =
            dir / (attempt == 0 ? base : base + "-" + std::to_string(attempt));
        const std::error_code error = AtomicFile::copyToNewFile(source.get(), copy, 0600);
        if (!error) {
            return Result::success();
        }
        if (error != std::errc::file_exists) {
            return Result::failure(error.value(), "cannot keep a copy of the unreadable settings "
                                                  "file: " +
                                                      error.message());
        }
    }
    return Result::failure("cannot name a copy of the unreadable settings file");
}

} // namespace tiklo
