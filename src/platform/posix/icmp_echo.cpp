// The echo facility on Linux: an unprivileged ping socket where net.ipv4.ping_group_range
// allows it, else a raw ICMP socket (needs CAP_NET_RAW).
#include <linux/icmp.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/posix/native_platform.h"

namespace korvu {

namespace {

constexpr std::uint16_t kSequence = 1;

std::uint16_t Checksum(const std::uint8_t* data, std::size_t size) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 1 < size; i += 2) sum += std::uint32_t{data[i]} << 8 | data[i + 1];
  if (size % 2 != 0) sum += std::uint32_t{data[size - 1]} << 8;
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

long MillisecondsNow() {
  using std::chrono::milliseconds;
  using std::chrono::steady_clock;
  return static_cast<long>(
      std::chrono::duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

/// True when a received packet is the reply to our request. A raw socket sees the IP header
/// and every ICMP packet of the host; a ping socket only the ICMP part of replies to its own
/// identifier.
bool IsOurReply(const std::uint8_t* packet, std::size_t size, bool raw, std::uint16_t identifier) {
  if (raw) {
    if (size < 20) return false;
    std::size_t header = static_cast<std::size_t>(packet[0] & 0x0F) * 4;
    if (size < header) return false;
    packet += header;
    size -= header;
  }
  if (size < sizeof(icmphdr)) return false;
  icmphdr reply;
  std::memcpy(&reply, packet, sizeof reply);
  if (reply.type != ICMP_ECHOREPLY || ntohs(reply.un.echo.sequence) != kSequence) return false;
  return !raw || ntohs(reply.un.echo.id) == identifier;
}

}  // namespace

bool PosixPlatform::LoadEchoLibrary() { return true; }

bool PosixPlatform::FindEchoFunction(const char*) { return true; }

EchoHandle PosixPlatform::OpenEchoHandle() {
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (fd >= 0) return fd;
  fd = socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (fd < 0) return kInvalidEchoHandle;
  icmp_filter filter{};
  filter.data = ~(1U << ICMP_ECHOREPLY);
  setsockopt(fd, SOL_RAW, ICMP_FILTER, &filter, sizeof filter);
  rawEchoHandle_ = fd;
  return fd;
}

void* PosixPlatform::AllocateReplyBuffer(std::size_t size) { return std::calloc(1, size); }

void PosixPlatform::SendEcho(EchoHandle handle, std::uint32_t address, const std::uint8_t* data,
                             std::uint16_t size, void*, std::uint32_t,
                             std::uint32_t timeoutMilliseconds) {
  int fd = static_cast<int>(handle);
  bool raw = handle == rawEchoHandle_;
  std::uint16_t identifier = static_cast<std::uint16_t>(getpid());

  std::vector<std::uint8_t> request(sizeof(icmphdr) + size);
  icmphdr header{};
  header.type = ICMP_ECHO;
  header.un.echo.id = htons(identifier);
  header.un.echo.sequence = htons(kSequence);
  std::memcpy(request.data(), &header, sizeof header);
  std::memcpy(request.data() + sizeof header, data, size);
  std::uint16_t sum = htons(Checksum(request.data(), request.size()));
  std::memcpy(request.data() + offsetof(icmphdr, checksum), &sum, sizeof sum);

  sockaddr_in target{};
  target.sin_family = AF_INET;
  target.sin_addr.s_addr = address;
  if (sendto(fd, request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&target),
             sizeof target) < 0) {
    return;
  }

  long deadline = MillisecondsNow() + static_cast<long>(timeoutMilliseconds);
  std::uint8_t packet[1500];
  for (;;) {
    long remaining = deadline - MillisecondsNow();
    if (remaining <= 0) return;
    pollfd wait{fd, POLLIN, 0};
    int ready = poll(&wait, 1, static_cast<int>(remaining));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return;
    sockaddr_in from{};
    socklen_t fromSize = sizeof from;
    ssize_t got =
        recvfrom(fd, packet, sizeof packet, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (got < 0) continue;
    if (from.sin_addr.s_addr == address &&
        IsOurReply(packet, static_cast<std::size_t>(got), raw, identifier)) {
      return;
    }
  }
}

void PosixPlatform::CloseEchoHandle(EchoHandle handle) {
  if (handle == rawEchoHandle_) rawEchoHandle_ = kInvalidEchoHandle;
  close(static_cast<int>(handle));
}

void PosixPlatform::FreeEchoLibrary() {}

void PosixPlatform::FreeReplyBuffer(void* reply) { std::free(reply); }

}  // namespace korvu
