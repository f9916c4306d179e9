// The neighbour table on Linux: the kernel's IPv4 neighbours, read by an rtnetlink dump.
#include <libmnl/libmnl.h>
#include <linux/neighbour.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <time.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/posix/native_platform.h"

namespace korvu {

namespace {

constexpr std::uint32_t kTableUnavailable = 31;

// Row types as the Windows table names them.
constexpr std::uint32_t kTypeOther = 1;
constexpr std::uint32_t kTypeInvalid = 2;
constexpr std::uint32_t kTypeDynamic = 3;
constexpr std::uint32_t kTypeStatic = 4;

std::uint32_t RowType(std::uint16_t state) {
  if (state & NUD_PERMANENT) return kTypeStatic;
  if (state & NUD_NOARP) return kTypeOther;
  if (state & (NUD_REACHABLE | NUD_STALE | NUD_DELAY | NUD_PROBE)) return kTypeDynamic;
  return kTypeInvalid;
}

int KeepAttribute(const nlattr* attribute, void* data) {
  const nlattr** table = static_cast<const nlattr**>(data);
  if (mnl_attr_type_valid(attribute, NDA_MAX) < 0) return MNL_CB_OK;
  table[mnl_attr_get_type(attribute)] = attribute;
  return MNL_CB_OK;
}

int AddRow(const nlmsghdr* message, void* data) {
  auto* rows = static_cast<std::vector<NeighbourRow>*>(data);
  const auto* neighbour = static_cast<const ndmsg*>(mnl_nlmsg_get_payload(message));
  if (neighbour->ndm_family != AF_INET) return MNL_CB_OK;
  const nlattr* attributes[NDA_MAX + 1] = {};
  if (mnl_attr_parse(message, sizeof *neighbour, KeepAttribute, attributes) < 0)
    return MNL_CB_ERROR;
  if (attributes[NDA_DST] == nullptr || mnl_attr_get_payload_len(attributes[NDA_DST]) != 4)
    return MNL_CB_OK;

  NeighbourRow row{};
  row.index = static_cast<std::uint32_t>(neighbour->ndm_ifindex);
  std::memcpy(&row.addr, mnl_attr_get_payload(attributes[NDA_DST]), 4);
  if (attributes[NDA_LLADDR] != nullptr) {
    std::size_t length = std::min<std::size_t>(mnl_attr_get_payload_len(attributes[NDA_LLADDR]),
                                               sizeof row.physAddr);
    std::memcpy(row.physAddr, mnl_attr_get_payload(attributes[NDA_LLADDR]), length);
    row.physAddrLen = static_cast<std::uint32_t>(length);
  }
  row.type = RowType(neighbour->ndm_state);
  rows->push_back(row);
  return MNL_CB_OK;
}

bool DumpNeighbours(std::vector<NeighbourRow>* rows) {
  mnl_socket* netlink = mnl_socket_open2(NETLINK_ROUTE, SOCK_CLOEXEC);
  if (netlink == nullptr) return false;
  if (mnl_socket_bind(netlink, 0, MNL_SOCKET_AUTOPID) < 0) {
    mnl_socket_close(netlink);
    return false;
  }
  std::vector<char> buffer(MNL_SOCKET_BUFFER_SIZE);
  nlmsghdr* request = mnl_nlmsg_put_header(buffer.data());
  request->nlmsg_type = RTM_GETNEIGH;
  request->nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
  request->nlmsg_seq = static_cast<std::uint32_t>(time(nullptr));
  auto* neighbour = static_cast<ndmsg*>(mnl_nlmsg_put_extra_header(request, sizeof(ndmsg)));
  neighbour->ndm_family = AF_INET;
  std::uint32_t sequence = request->nlmsg_seq;

  bool done = mnl_socket_sendto(netlink, request, request->nlmsg_len) >= 0;
  std::uint32_t port = mnl_socket_get_portid(netlink);
  int result = MNL_CB_OK;
  while (done && result > MNL_CB_STOP) {
    ssize_t got = mnl_socket_recvfrom(netlink, buffer.data(), buffer.size());
    if (got < 0) {
      done = false;
      break;
    }
    result = mnl_cb_run(buffer.data(), static_cast<std::size_t>(got), sequence, port, AddRow, rows);
  }
  mnl_socket_close(netlink);
  return done && result == MNL_CB_STOP;
}

}  // namespace

bool PosixPlatform::LoadTableLibrary() { return true; }

bool PosixPlatform::FindTableFunction(const char*) { return true; }

std::uint32_t PosixPlatform::ReadNeighbourTable(void* buffer, std::uint32_t* size, bool sorted) {
  std::vector<NeighbourRow> rows;
  if (!DumpNeighbours(&rows)) return kTableUnavailable;
  if (sorted) {
    std::sort(rows.begin(), rows.end(),
              [](const NeighbourRow& a, const NeighbourRow& b) { return a.addr < b.addr; });
  }
  std::uint32_t needed =
      kNeighbourTableHeaderSize + static_cast<std::uint32_t>(rows.size() * sizeof(NeighbourRow));
  if (*size < needed) {
    *size = needed;
    return kTableBufferTooSmall;
  }
  std::uint32_t count = static_cast<std::uint32_t>(rows.size());
  auto* bytes = static_cast<std::uint8_t*>(buffer);
  std::memcpy(bytes, &count, sizeof count);
  if (!rows.empty())
    std::memcpy(bytes + kNeighbourTableHeaderSize, rows.data(), rows.size() * sizeof(NeighbourRow));
  return kTableNoError;
}

void PosixPlatform::FreeTableLibrary() {}

}  // namespace korvu
