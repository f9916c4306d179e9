// Test helper: waits for one UDP datagram on a port and reports where it was sent and what
// it held, so that end-to-end tests can check the wake-up datagram on the wakee's side.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: wake_receiver PORT TIMEOUT_SECONDS READY_FILE\n");
    return 2;
  }
  int port = std::atoi(argv[1]);
  int timeout = std::atoi(argv[2]);

  int fd = socket(AF_INET, SOCK_DGRAM, 0);
  int on = 1;
  setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(static_cast<uint16_t>(port));
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    std::perror("wake_receiver: bind");
    return 2;
  }
  if (FILE* ready = std::fopen(argv[3], "w")) std::fclose(ready);

  pollfd wait{fd, POLLIN, 0};
  if (poll(&wait, 1, timeout * 1000) <= 0) {
    std::printf("nothing\n");
    return 1;
  }
  unsigned char payload[2048];
  char control[256];
  sockaddr_in from{};
  iovec part{payload, sizeof payload};
  msghdr message{};
  message.msg_name = &from;
  message.msg_namelen = sizeof from;
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  message.msg_control = control;
  message.msg_controllen = sizeof control;
  ssize_t length = recvmsg(fd, &message, 0);
  if (length < 0) {
    std::perror("wake_receiver: recvmsg");
    return 2;
  }
  char destination[INET_ADDRSTRLEN] = "?";
  for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
      in_pktinfo info;
      std::memcpy(&info, CMSG_DATA(c), sizeof info);
      inet_ntop(AF_INET, &info.ipi_addr, destination, sizeof destination);
    }
  }
  char source[INET_ADDRSTRLEN];
  inet_ntop(AF_INET, &from.sin_addr, source, sizeof source);
  std::printf("to %s:%d\nfrom %s\nlength %zd\n", destination, port, source, length);
  bool magic = length == 126;
  for (int i = 0; magic && i < 6; ++i) magic = payload[i] == 0xFF;
  for (int i = 12; magic && i < 126; ++i) magic = payload[i] == payload[i - 6];
  if (magic) {
    std::printf("mac %02X:%02X:%02X:%02X:%02X:%02X\n", payload[6], payload[7], payload[8],
                payload[9], payload[10], payload[11]);
  } else {
    std::printf("mac none\n");
  }
  std::printf("bytes ");
  for (ssize_t i = 0; i < length; ++i) std::printf("%02X", payload[i]);
  std::printf("\n");
  close(fd);
  return 0;
}
