// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Kordane developers
#include "net/SocketErrors.h"

#include <netdb.h>

#include <cerrno>
#include <cstdio>

namespace SocketErrors {

namespace {

struct Entry {
    int code;
    const char* text;
};

constexpr Entry kDescriptions[] = {
    {10022, "WSAEINVAL: Invalid argument"},
    {10024, "WSAEMFILE:  Too many open files"},
    {10035, "WSAEWOULDBLOCK: Operation would block"},
    {10036, "WSAEINPROGRESS: Operation now in progress"},
    {10037, "WSAEALREADY: Operation already in progress"},
    {10038, "WSAENOTSOCK: Socket operation on non-socket"},
    {10039, "WSAEDESTADDRREQ: Destination address required"},
    {10048, "WSAEADDRINUSE:  Address already in use"},
    {10050, "WSAENETDOWN: Network is down"},
    {10051, "WSAENETUNREACH: Network is unreachable"},
    {10052, "WSAENETRESET: Net dropped connection or reset"},
    {10053, "WSAECONNABORTED: Software caused connection abort"},
    {10054, "WSAECONNRESET: Connection reset by peer.  (Might be a problem on the internet route)"},
    {10055, "WSAENOBUFS: No buffer space available"},
    {10056, "WSAEISCONN: Socket is already connected"},
    {10057, "WSAENOTCONN: Socket is not connected"},
    {10058, "WSAESHUTDOWN: Can't send after socket shutdown"},
    {10060, "WSAETIMEDOUT: Connection timed out"},
    {10061,
     "WSAECONNREFUSED: Connection refused (VCX server is rebooting, or wrong port)\n"
     "To reach the backup server, choose it from the server list in the Advanced Options "
     "section of the connect dialog (File/New)."},
    {10064, "WSAEHOSTDOWN: Host is down"},
    {10065, "WSAEHOSTUNREACH: No Route to Host"},
    {10068, "WSAEUSERS: Too many users"},
    {10091, "WSASYSNOTREADY: Network SubSystem is unavailable"},
    {10093, "WSANOTINITIALISED: WSAStartup() not performed"},
    {11001, "WSAHOST_NOT_FOUND: Host not found"},
    {11002, "WSATRY_AGAIN: Non-Authoritative Host not found"},
    {11003, "WSANO_RECOVERY:  Database not located"},
    {11004,
     "WSANO_DATA: Name not found in database.  (Are you connected to the Internet?  Domain name "
     "servers working?  Try the IP number?)"},
};

struct Mapping {
    int error;
    int code;
};

constexpr Mapping kErrno[] = {
    {EINVAL, 10022},       {EMFILE, 10024},       {ENFILE, 10024},        {EWOULDBLOCK, 10035},
    {EINPROGRESS, 10036},  {EALREADY, 10037},     {ENOTSOCK, 10038},      {EBADF, 10038},
    {EDESTADDRREQ, 10039}, {EADDRINUSE, 10048},   {EADDRNOTAVAIL, 10049}, {ENETDOWN, 10050},
    {ENETUNREACH, 10051},  {ENETRESET, 10052},    {ECONNABORTED, 10053},  {ECONNRESET, 10054},
    {EPIPE, 10054},        {ENOBUFS, 10055},      {ENOMEM, 10055},        {EISCONN, 10056},
    {ENOTCONN, 10057},     {ESHUTDOWN, 10058},    {ETIMEDOUT, 10060},     {ECONNREFUSED, 10061},
    {EHOSTDOWN, 10064},    {EHOSTUNREACH, 10065}, {EUSERS, 10068},
};

}  // namespace

std::string Describe(int code) {
    for (const Entry& e : kDescriptions) {
        if (e.code == code) return e.text;
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "Unknown error #%d", code);
    return buffer;
}

std::string FormatLine(std::string_view text, int code) {
    if (text.size() >= 100) return std::string(text);
    return std::string(text) + " " + std::to_string(code) + " " + Describe(code) + "\n";
}

int FromErrno(int error) {
    if (error == 0) return 0;
    for (const Mapping& m : kErrno) {
        if (m.error == error) return m.code;
    }
    // Keeps unknown platform errors apart from the known codes, so the line
    // reads "Unknown error #..." instead of a wrong description.
    return 20000 + error;
}

int FromLookupError(int gaiError) {
    switch (gaiError) {
        case 0:
            return 0;
        case EAI_AGAIN:
            return 11002;
        case EAI_FAIL:
            return 11003;
#ifdef EAI_NODATA
        case EAI_NODATA:
            return 11004;
#endif
        case EAI_NONAME:
            return 11001;
        case EAI_MEMORY:
            return 10055;
        default:
            return 11004;
    }
}

}  // namespace SocketErrors
