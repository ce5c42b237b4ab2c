#pragma once
// Whether a wineserver is running for a prefix. The server holds the registry in memory and writes
// it out when it stops, so a file changed under a running server would be overwritten: the store
// refuses to write while one runs. Wine names the server's folder after the prefix folder's device
// and inode numbers: <root>/server-<dev hex>-<ino hex>/socket, root being /tmp/.wine-<uid> (or, with
// Debian's Wine, the folder beside it that the prefix's "wineserver" file names).

#include <string>

namespace tally {

// /tmp/.wine-<uid> for this user; empty where there is no such thing (Windows).
std::string defaultWineServerRoot();

// The socket a server for `prefixFolder` would listen on; empty when the folder does not exist.
std::string wineServerSocket(const std::string& prefixFolder, const std::string& serverRoot);

// True when a server answers at that socket, or at the one in the folder the prefix's "wineserver"
// file names: the socket that a killed server leaves behind refuses connections. A socket that
// cannot be asked (no permission, say) counts as a running server.
bool wineServerRunning(const std::string& prefixFolder, const std::string& serverRoot);

}  // namespace tally
