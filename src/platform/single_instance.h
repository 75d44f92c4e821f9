// One running copy per program folder.
#pragma once

#include <string>

namespace plat {

// Claims the program folder for this process. Answers false when another copy holds it; that copy
// has then been asked to bring its windows forward. The claim ends with the process.
bool ClaimSingleInstance(const std::string& programFolder);
// Gives up the claim (tests).
void ReleaseSingleInstance();
bool SingleInstanceClaimed();
// True once for each request of another copy to come forward (the message loop asks).
bool TakeSingleInstanceRequest();

} // namespace plat
