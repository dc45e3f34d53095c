#include "platform/HostInfo.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>

namespace platform {

namespace {

struct AddrInfoDeleter {
    void operator()(addrinfo* info) const { freeaddrinfo(info); }
};
using AddrInfoList = std::unique_ptr<addrinfo, AddrInfoDeleter>;

std::string RawHostName()
{
    char name[256] = {};
    if (gethostname(name, sizeof(name) - 1) != 0)
        return {};
    return name;
}

AddrInfoList LookUp(const std::string& host, int flags)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = flags;
    addrinfo* found = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0)
        return nullptr;
    return AddrInfoList(found);
}

} // namespace

std::string LocalHostName()
{
    const std::string host = RawHostName();
    const AddrInfoList list = LookUp(host, AI_CANONNAME);
    if (list && list->ai_canonname != nullptr)
        return list->ai_canonname;
    return {};
}

std::vector<std::string> LocalHostAddresses()
{
    std::vector<std::string> addresses;
    const AddrInfoList list = LookUp(RawHostName(), 0);
    for (const addrinfo* entry = list.get(); entry != nullptr; entry = entry->ai_next) {
        if (entry->ai_family != AF_INET || entry->ai_addr == nullptr)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text)) != nullptr)
            addresses.emplace_back(text);
    }
    return addresses;
}

} // namespace platform
