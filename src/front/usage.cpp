// The usage text that -? prints.
#include "front/options.h"

namespace korvu {

void PrintUsage(Platform& platform) {
  static const char* const kUsage[] = {
      "-l <ip address>|<computer name> : lookup ip address or computer name\n",
      "-s <name> : save MAC address and IP address\n",
      "-i : create wake up icon on desktop (must be used with -s)\n",
      "-w <name> : wake up computer \"name\"\n",
      "[optional] : -m <mask> : subnet mask (default is 255.255.255.0)\n",
      "How to use : \n1 : Turn on the computer that needs waking up later.\n",
      "2 : On target computer (the wakee), find out name or IP Address (use hostname, winipcfg "
      "or ipconfig).\n",
      "3 : On source computer (the waker), type korvu -l <name or IP Address of wakee> -s "
      "<name> -i\n",
      "    eg : korvu -l kidspc -s kidspc -i\n",
      "4 : Now when you need to wake up the wakee, type korvu -w <name>,\neg korvu -w "
      "kidspc\nor use the icon on the desktop if you used the option -i.",
  };
  for (const char* text : kUsage) platform.Print(text);
}

}  // namespace korvu
