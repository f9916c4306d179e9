// The program's entry point: the native platform and one run.
#include <memory>

#include "front/run.h"
#include "platform/native.h"

int main(int argc, char** argv) {
  std::unique_ptr<korvu::Platform> platform = korvu::MakeNativePlatform();
  return korvu::RunKorvu(*platform, argc, argv);
}
