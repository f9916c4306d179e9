// The operations through which korvu reaches the operating system.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvu {

/// A socket of the socket library; kInvalidSocket when none was created.
using SocketId = std::intptr_t;
constexpr SocketId kInvalidSocket = -1;

/// An open echo handle; kInvalidEchoHandle when none could be opened.
using EchoHandle = std::intptr_t;
constexpr EchoHandle kInvalidEchoHandle = -1;

/// The address that the socket library answers for a text that is no address.
constexpr std::uint32_t kAddressNone = 0xFFFFFFFFu;

/// Results of ReadNeighbourTable.
constexpr std::uint32_t kTableNoError = 0;
constexpr std::uint32_t kTableBufferTooSmall = 122;

/// One row of the neighbour table, laid out as the system's MIB_IPNETROW (24 bytes).
struct NeighbourRow {
  std::uint32_t index;
  std::uint32_t physAddrLen;
  std::uint8_t physAddr[8];
  std::uint32_t addr;  // network byte order
  std::uint32_t type;
};
static_assert(sizeof(NeighbourRow) == 24, "a neighbour row is 24 bytes");

/// Size of the table header (the row count) in front of the rows.
constexpr std::uint32_t kNeighbourTableHeaderSize = 4;

/// A COM class or interface identifier, laid out as the system's GUID.
struct Guid {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];
};

/// A COM interface obtained from the platform; released with the matching Release call.
using InterfaceId = std::intptr_t;

/// A COM status: negative on failure.
using Status = std::int32_t;

/// The size of the path buffers of the shortcut step, in characters.
constexpr std::uint32_t kMaxPath = 260;

/// The system as the program sees it. Addresses are 32-bit values in network byte order.
/// Every call is made from the one thread of the run.
class Platform {
 public:
  virtual ~Platform() = default;

  // --- console and clock

  /// Writes text to standard output exactly as given.
  virtual void Print(const char* text) = 0;
  /// Returns after the given number of milliseconds.
  virtual void Sleep(std::uint32_t milliseconds) = 0;

  // --- socket library

  /// Starts the socket library asking for requestedVersion (low byte major, high byte minor).
  /// Returns 0 on success and sets *version to the version the library will use; any other
  /// result is a failure and *version is then not set.
  virtual int StartSockets(std::uint16_t requestedVersion, std::uint16_t* version) = 0;
  /// Shuts the socket library down once. Its result is not used.
  virtual void StopSockets() = 0;
  /// The address written in text, or kAddressNone when the text is no address.
  virtual std::uint32_t ParseAddress(const char* text) = 0;
  /// The first IPv4 address of a host name. Returns false when the name has no address.
  virtual bool ResolveHostName(const char* name, std::uint32_t* address) = 0;
  /// The dotted-quad text of an address, in storage that the next call reuses.
  virtual const char* FormatAddress(std::uint32_t address) = 0;
  /// Opens an IPv4 datagram socket; kInvalidSocket on failure.
  virtual SocketId OpenDatagramSocket() = 0;
  /// Allows the socket to send to broadcast addresses. Returns false when refused.
  virtual bool AllowBroadcast(SocketId socket) = 0;
  /// Sends one datagram to address:port (port in host byte order). Returns false on failure.
  virtual bool SendDatagram(SocketId socket, const std::uint8_t* data, std::size_t size,
                            std::uint32_t address, std::uint16_t port) = 0;
  /// Closes the socket.
  virtual void CloseSocket(SocketId socket) = 0;

  // --- echo facility

  /// Loads the echo facility. Returns false when it is not there.
  virtual bool LoadEchoLibrary() = 0;
  /// Finds one entry point of the loaded echo facility. Returns false when it is missing.
  virtual bool FindEchoFunction(const char* name) = 0;
  /// Opens an echo handle; kInvalidEchoHandle when none can be opened.
  virtual EchoHandle OpenEchoHandle() = 0;
  /// A zero-filled block for the reply; null when it cannot be had.
  virtual void* AllocateReplyBuffer(std::size_t size) = 0;
  /// Sends one echo request with the data and waits for the matching reply or the time-out,
  /// whichever comes first. Whether a reply came is not reported.
  virtual void SendEcho(EchoHandle handle, std::uint32_t address, const std::uint8_t* data,
                        std::uint16_t size, void* reply, std::uint32_t replySize,
                        std::uint32_t timeoutMilliseconds) = 0;
  /// Closes the echo handle.
  virtual void CloseEchoHandle(EchoHandle handle) = 0;
  /// Releases the echo facility.
  virtual void FreeEchoLibrary() = 0;
  /// Releases the reply block.
  virtual void FreeReplyBuffer(void* reply) = 0;

  // --- neighbour (ARP) table

  /// Loads the table facility. Returns false when it is not there.
  virtual bool LoadTableLibrary() = 0;
  /// Finds one entry point of the loaded table facility. Returns false when it is missing.
  virtual bool FindTableFunction(const char* name) = 0;
  /// Fills buffer with the IPv4 neighbour table: a 32-bit row count, then the rows in the
  /// system's order. Returns kTableNoError; kTableBufferTooSmall with *size set to the size
  /// needed; any other value when no table is available.
  virtual std::uint32_t ReadNeighbourTable(void* buffer, std::uint32_t* size, bool sorted) = 0;
  /// Releases the table facility.
  virtual void FreeTableLibrary() = 0;

  // --- folders, module path and the shell-link object

  /// The byte that separates folders in a path ('\\' on Windows, '/' on Linux).
  virtual char PathSeparator() = 0;
  /// True when the byte begins a double-byte character in the system's code page.
  virtual bool IsLeadByte(unsigned char byte) = 0;
  /// Writes the current user's desktop folder (no trailing separator) into a buffer of
  /// kMaxPath characters. Returns false when there is none.
  virtual bool GetDesktopFolder(char* buffer) = 0;
  /// Writes the full path of the running program into buffer. Returns false when it cannot be
  /// had or does not fit.
  virtual bool GetModulePath(char* buffer, std::uint32_t size) = 0;
  /// Makes COM usable on the thread. Its result is not used.
  virtual void InitializeCom() = 0;
  /// Creates an in-process object of the class and asks it for the interface.
  virtual Status CreateInstance(const Guid& classId, const Guid& interfaceId,
                                InterfaceId* object) = 0;
  /// The shell-link setters of an IShellLinkA; their results are not used.
  virtual void SetLinkPath(InterfaceId link, const char* path) = 0;
  virtual void SetLinkArguments(InterfaceId link, const char* arguments) = 0;
  virtual void SetLinkDescription(InterfaceId link, const char* description) = 0;
  virtual void SetLinkWorkingDirectory(InterfaceId link, const char* folder) = 0;
  virtual void SetLinkIconLocation(InterfaceId link, const char* path, int index) = 0;
  /// Asks an object for another of its interfaces.
  virtual Status QueryInterface(InterfaceId object, const Guid& interfaceId,
                                InterfaceId* other) = 0;
  /// Converts text of the system's code page into NUL-terminated UTF-16 in a buffer of size
  /// code units.
  virtual void ConvertToWide(const char* text, std::uint16_t* wide, int size) = 0;
  /// Saves the object behind an IPersistFile to the file. Returns the save's status.
  virtual Status SaveToFile(InterfaceId persistFile, const std::uint16_t* fileName,
                            bool remember) = 0;
  /// Releases one interface.
  virtual void Release(InterfaceId object) = 0;

  // --- profile file

  /// Sets key=value in section of the profile file, creating what is missing.
  /// Returns false when the file could not be written.
  virtual bool WriteProfileValue(const char* section, const char* key, const char* value,
                                 const char* fileName) = 0;
  /// Copies the value of key in section, or defaultValue when the file, section or key is
  /// missing, into buffer, cut to size - 1 characters and always NUL-terminated.
  /// Returns the number of characters copied.
  virtual std::uint32_t ReadProfileValue(const char* section, const char* key,
                                         const char* defaultValue, char* buffer, std::uint32_t size,
                                         const char* fileName) = 0;
};

}  // namespace korvu
