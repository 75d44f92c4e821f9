// One running copy per program folder: the first copy binds an abstract local socket named after
// the folder's identity; a later copy finds it bound, connects to ask it forward, and leaves.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/files.h"
#include "platform/single_instance.h"
#include "platform/window.h"

namespace plat {
namespace {

int ListenSocket = -1; // held for the life of the claim

// The folder as the system knows it, its device and inode, so that every spelling ("//", "/./",
// a relative path, a symbolic link) names the same copy; the spelling when it cannot be looked up.
std::string FolderIdentity(const std::string& folder)
{
    std::string hostFolder = HostPath(folder);
    struct stat info;
    if (::stat(hostFolder.empty() ? "." : hostFolder.c_str(), &info) != 0)
        return "path " + hostFolder;
    return "inode " + std::to_string(info.st_dev) + " " + std::to_string(info.st_ino);
}

// The socket's name in the abstract namespace (leading zero byte): it vanishes with the process,
// so a crash leaves nothing stale behind.
socklen_t SocketAddress(const std::string& folder, sockaddr_un& address)
{
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a: stable across builds
    for (unsigned char c : FolderIdentity(folder))
        hash = (hash ^ c) * 1099511628211ull;
    char name[64];
    int length = std::snprintf(name, sizeof name, "zentiles-%016llx",
                               static_cast<unsigned long long>(hash));
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name, static_cast<std::size_t>(length));
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

bool AskRunningCopy(const sockaddr_un& address, socklen_t length)
{
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool asked = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
                 write(fd, "forward\n", 8) == 8;
    close(fd);
    return asked;
}

} // namespace

bool ClaimSingleInstance(const std::string& programFolder)
{
    sockaddr_un address;
    socklen_t length = SocketAddress(programFolder, address);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true; // no way to tell: run
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && listen(fd, 4) == 0) {
        ReleaseSingleInstance();
        ListenSocket = fd;
        return true;
    }
    int error = errno;
    close(fd);
    if (error == EADDRINUSE && AskRunningCopy(address, length))
        return false;
    return true;
}

void ReleaseSingleInstance()
{
    if (ListenSocket >= 0)
        close(ListenSocket);
    ListenSocket = -1;
}

bool SingleInstanceClaimed()
{
    return ListenSocket >= 0;
}

bool TakeSingleInstanceRequest()
{
    if (ListenSocket < 0)
        return false;
    int fd = accept4(ListenSocket, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

} // namespace plat
