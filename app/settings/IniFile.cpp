#include "app/settings/IniFile.h"

#include "core/Text.h"

#include "core/Errors.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct Line
{
    std::string text; // without its line ending
    std::string eol;  // "\r\n", "\n" or "" for a last line without one
};

std::string trim(std::string_view s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return std::string(s.substr(b, e - b));
}

bool sameName(const std::string& a, const std::string& b)
{
    return lirasto::EqualsNoCase(trim(a), trim(b));
}

std::string errnoText(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

// The file's bytes; nullopt when it does not exist. Throws when it exists but cannot be read whole or is
// larger than the limit.
std::optional<std::string> readWholeFile(const std::string& path)
{
    // Non-blocking, so that a pipe or device in the file's place cannot stall the program; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return std::nullopt;
        throw lirasto::Exception(errnoText("cannot open " + path));
    }
    std::string contents;
    struct stat st
    {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              static_cast<unsigned long long>(st.st_size) <= lirasto::IniFile::kMaxFileSize;
    if (ok) {
        contents.resize(static_cast<std::size_t>(st.st_size));
        std::size_t done = 0;
        while (ok && done < contents.size()) {
            const ssize_t n = ::read(fd, contents.data() + done, contents.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                ok = false; // shrank underneath us, or a read error
            else
                done += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
    if (!ok)
        throw lirasto::Exception("cannot read " + path + " (not a regular file, too large or damaged)");
    return contents;
}

std::vector<Line> splitLines(const std::string& contents)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < contents.size()) {
        const std::size_t nl = contents.find('\n', start);
        if (nl == std::string::npos) {
            lines.push_back({contents.substr(start), ""});
            break;
        }
        std::size_t end = nl;
        std::string eol = "\n";
        if (end > start && contents[end - 1] == '\r') {
            --end;
            eol = "\r\n";
        }
        lines.push_back({contents.substr(start, end - start), eol});
        start = nl + 1;
    }
    return lines;
}

// Editors on some systems start a file with a UTF-8 byte order mark; it is not part of the first name.
std::string_view withoutByteOrderMark(std::string_view line)
{
    if (line.substr(0, 3) == "\xEF\xBB\xBF")
        line.remove_prefix(3);
    return line;
}

// The section name when the line is a section header.
std::optional<std::string> sectionOf(const std::string& line)
{
    const std::string t = trim(withoutByteOrderMark(line));
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    return t.substr(1, close == std::string::npos ? std::string::npos : close - 1);
}

// The position of the '=' when the line is a key line of the given key.
std::optional<std::size_t> keyLine(const std::string& line, const std::string& key)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos ||
        !sameName(std::string(withoutByteOrderMark(std::string_view(line).substr(0, eq))), key))
        return std::nullopt;
    return eq;
}

std::string unquoted(std::string value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

void writeAll(int fd, const std::string& data)
{
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw lirasto::Exception(errnoText("cannot write"));
        done += static_cast<std::size_t>(n);
    }
}

// The file that a write to the path replaces. A symbolic link is followed only when it, every link after it
// and the regular file at the end belong to the user running the program: a link that someone else left in a
// shared folder must not make the program rewrite one of the user's files. A file the user may not write is
// not replaced either, although the rename beside it would succeed.
std::filesystem::path replaceableFile(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path current = path;
    for (int hops = 0; hops <= 40; ++hops) {
        struct stat st
        {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno == ENOENT && hops == 0)
                return current; // created by the write
            if (errno == ENOENT)
                throw lirasto::Exception(path + " is a symbolic link to a missing file");
            throw lirasto::Exception(errnoText("cannot examine " + current.string()));
        }
        if (S_ISLNK(st.st_mode)) {
            if (st.st_uid != ::geteuid())
                throw lirasto::Exception(current.string() + " is a symbolic link that belongs to another user");
            std::error_code ec;
            const fs::path next = fs::read_symlink(current, ec);
            if (ec)
                throw lirasto::Exception("cannot follow the symbolic link " + current.string() + ": " + ec.message());
            current = next.is_absolute() ? next : current.parent_path() / next;
            continue;
        }
        if (!S_ISREG(st.st_mode))
            throw lirasto::Exception(current.string() + " is not a regular file");
        if (hops > 0 && st.st_uid != ::geteuid())
            throw lirasto::Exception(path + " is a symbolic link to a file that belongs to another user");
        if (::faccessat(AT_FDCWD, current.c_str(), W_OK, AT_EACCESS) != 0)
            throw lirasto::Exception(errnoText(current.string() + " may not be written"));
        return current;
    }
    throw lirasto::Exception(path + " is a chain of too many symbolic links");
}

// Writes the contents to a new file beside the target and renames it over the target, so that the target
// holds either its old or its new contents, never a mixture, even when the disk fills or power fails.
void replaceFile(const std::filesystem::path& target, const std::string& contents)
{
    namespace fs = std::filesystem;
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";

    struct stat old
    {};
    const bool existed = ::stat(target.c_str(), &old) == 0;

    static std::atomic<unsigned> counter{0};
    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tmp = (dir / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                      std::to_string(counter++) + ".tmp"))
                  .string();
        // 0666 lets the umask decide a new file's permissions, as for any file the program creates.
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw lirasto::Exception(errnoText("cannot create a file beside " + target.string()));

    try {
        writeAll(fd, contents);
        if (existed) {
            if (::fchmod(fd, old.st_mode & 07777) != 0)
                throw lirasto::Exception(errnoText("cannot set permissions"));
            (void)!::fchown(fd, old.st_uid, old.st_gid); // only possible for a privileged user; harmless otherwise
        }
        if (::fsync(fd) != 0)
            throw lirasto::Exception(errnoText("cannot flush"));
        const int closed = ::close(fd);
        fd = -1;
        if (closed != 0)
            throw lirasto::Exception(errnoText("cannot close"));
        if (::rename(tmp.c_str(), target.c_str()) != 0)
            throw lirasto::Exception(errnoText("cannot replace " + target.string()));
    } catch (...) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(tmp.c_str());
        throw;
    }
    // Make the rename itself durable; failing here no longer endangers the old or new contents.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

bool hasLineBreak(const std::string& s)
{
    return s.find_first_of("\r\n") != std::string::npos;
}

} // namespace

namespace lirasto {

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    try {
        return ReadValue(section, key).value_or(def);
    } catch (const lirasto::Exception&) {
        return def;
    }
}

std::optional<std::string> IniFile::ReadValue(const std::string& section, const std::string& key) const
{
    const std::optional<std::string> contents = readWholeFile(path_);
    if (!contents)
        return std::nullopt;
    bool inSection = false;
    for (const Line& line : splitLines(*contents)) {
        if (const auto name = sectionOf(line.text)) {
            inSection = sameName(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        if (const auto eq = keyLine(line.text, key))
            return unquoted(trim(std::string_view(line.text).substr(*eq + 1)));
    }
    return std::nullopt;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    if (trim(section).empty() || section.find(']') != std::string::npos || hasLineBreak(section))
        throw lirasto::Exception("invalid section name \"" + section + "\"");
    if (trim(key).empty() || key.find('=') != std::string::npos || hasLineBreak(key) || trim(key).front() == '[')
        throw lirasto::Exception("invalid key name \"" + key + "\"");
    if (hasLineBreak(value))
        throw lirasto::Exception("a value cannot span lines");

    // Checked first, so that the reason given is why this file may not be replaced.
    const std::filesystem::path target = replaceableFile(path_);
    const std::string contents = readWholeFile(target.string()).value_or(std::string());
    const std::string eol = contents.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::vector<Line> lines = splitLines(contents);

    // Where the section starts and where its last non-blank line is.
    std::optional<std::size_t> header;
    std::size_t lastInSection = 0;
    bool done = false;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        if (const auto name = sectionOf(lines[i].text)) {
            if (inSection)
                break; // the first matching section ends here
            inSection = sameName(*name, section);
            if (inSection) {
                header = i;
                lastInSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (const auto eq = keyLine(lines[i].text, key)) {
            // Keep the key as written and the blanks after '='; replace only the value.
            std::size_t valueStart = *eq + 1;
            while (valueStart < lines[i].text.size() &&
                   (lines[i].text[valueStart] == ' ' || lines[i].text[valueStart] == '\t'))
                ++valueStart;
            lines[i].text = lines[i].text.substr(0, valueStart) + value;
            done = true;
        } else if (!trim(lines[i].text).empty()) {
            lastInSection = i;
        }
    }

    if (!done) {
        const Line newKey{trim(key) + "=" + value, eol};
        if (header) {
            if (lines[lastInSection].eol.empty())
                lines[lastInSection].eol = eol;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastInSection) + 1, newKey);
        } else {
            if (!lines.empty() && lines.back().eol.empty())
                lines.back().eol = eol;
            lines.push_back({"[" + trim(section) + "]", eol});
            lines.push_back(newKey);
        }
    }

    std::string out;
    out.reserve(contents.size() + value.size() + section.size() + key.size() + 8);
    for (const Line& line : lines)
        out += line.text + line.eol;
    replaceFile(target, out);
}

} // namespace lirasto
