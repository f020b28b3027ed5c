#include "recording_transport.h"

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

namespace extdict::testing {
namespace {

template <typename Number> std::string number(Number value) { return std::to_string(value); }

} // namespace

std::vector<TransportCall> RecordingTransport::callsTo(std::string_view function) const {
    std::vector<TransportCall> found;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                 [&](const TransportCall& call) { return call.function == function; });
    return found;
}

std::vector<std::string> RecordingTransport::functionNames() const {
    std::vector<std::string> names;
    for (const TransportCall& call : calls_) names.push_back(call.function);
    return names;
}

TransportCall RecordingTransport::onlyCallTo(std::string_view function) const {
    const auto found = callsTo(function);
    EXPECT_EQ(found.size(), 1u) << "calls to " << function;
    return found.empty() ? TransportCall{} : found.front();
}

void RecordingTransport::record(std::string function, std::vector<std::string> args) {
    calls_.push_back({std::move(function), std::move(args)});
}

NetHandle RecordingTransport::internetOpen(std::string_view userAgent, int accessType,
                                           std::string_view proxy, std::string_view proxyBypass,
                                           std::uint32_t flags) {
    record("internetOpen", {std::string(userAgent), number(accessType), std::string(proxy),
                            std::string(proxyBypass), number(flags)});
    return refuseInternet_ ? 0 : kInternet;
}

NetHandle RecordingTransport::internetConnect(NetHandle internet, std::string_view host, int port,
                                              std::string_view user, std::string_view password,
                                              int service, std::uint32_t flags,
                                              std::uintptr_t context) {
    record("internetConnect", {number(internet), std::string(host), number(port),
                               std::string(user), std::string(password), number(service),
                               number(flags), number(context)});
    return refuseConnection_ ? 0 : kConnection;
}

NetHandle RecordingTransport::httpOpenRequest(NetHandle connection, std::string_view method,
                                              std::string_view path, std::string_view version,
                                              std::uint32_t flags, std::uintptr_t context) {
    record("httpOpenRequest", {number(connection), std::string(method), std::string(path),
                               std::string(version), number(flags), number(context)});
    return refuseRequest_ ? 0 : kRequest;
}

bool RecordingTransport::internetSetOption(NetHandle handle, int option, std::uint32_t value) {
    record("internetSetOption", {number(handle), number(option), number(value)});
    return true;
}

bool RecordingTransport::httpSendRequest(NetHandle request, std::string_view headers,
                                         std::string_view optional) {
    record("httpSendRequest", {number(request), std::string(headers), std::string(optional)});
    return true;
}

std::size_t RecordingTransport::internetReadFile(NetHandle request, char* buffer,
                                                 std::size_t size) {
    record("internetReadFile", {number(request), number(size)});
    if (!chunks_.empty()) {
        std::string& chunk = chunks_.front();
        const std::size_t count = std::min(size, chunk.size());
        std::memcpy(buffer, chunk.data(), count);
        chunk.erase(0, count);
        if (chunk.empty()) chunks_.pop_front();
        return count;
    }
    if (!filler_) return 0;
    std::memset(buffer, *filler_, size);
    return size;
}

bool RecordingTransport::httpQueryInfo(NetHandle request, int infoLevel, char* buffer,
                                       std::size_t& length) {
    record("httpQueryInfo", {number(request), number(infoLevel), number(length)});
    if (!rawHeaders_) return false;
    const std::size_t count = std::min(length, rawHeaders_->size());
    std::memcpy(buffer, rawHeaders_->data(), count);
    if (count < length) buffer[count] = '\0';
    length = count;
    return true;
}

bool RecordingTransport::internetCloseHandle(NetHandle handle) {
    record("internetCloseHandle", {number(handle)});
    return true;
}

} // namespace extdict::testing
