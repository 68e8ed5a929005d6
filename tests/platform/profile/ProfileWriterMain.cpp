#include "platform/profile/ProfileFile.h"

#include <fstream>

// The writer a test kills: once it has made the marker file, it writes Item=1 and Item=0 by
// turns into the profile it is given, for ever.
int main(int argc, char** argv)
{
    if (argc != 3) return 2;
    const profile::ProfileFile ini(argv[1]);
    std::ofstream(argv[2]) << "started";
    for (int value = 1;; value ^= 1) (void)ini.WriteInt("CommSelect", "Item", value);
}
