// Telling a running wineserver from the socket file a killed one leaves behind.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "ServerSocket.h"
#include "platform/registry/WineServerCheck.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace tally {

namespace {

// The server folder's name for `prefix`: server-<device>-<inode>.
std::string serverFolderName(const std::string& prefix) {
    struct stat st {};
    EXPECT_EQ(::stat(prefix.c_str(), &st), 0);
    char name[80];
    std::snprintf(name, sizeof name, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    return name;
}

struct Folders {
    TempDir dir;
    std::string prefix = dir / "prefix";
    std::string servers = dir / "servers";
    Folders() { std::filesystem::create_directories(prefix); }
    std::string socket() const { return servers + "/" + serverFolderName(prefix) + "/socket"; }
};

}  // namespace

TEST(WineServerCheck, OnlyASocketSomeoneListensOnIsARunningServer) {
    Folders f;
    EXPECT_EQ(wineServerSocket(f.prefix, f.servers), f.socket());
    EXPECT_FALSE(wineServerRunning(f.prefix, f.servers));
    {
        samples::ServerSocket server(f.socket());
        ASSERT_TRUE(server.bound());
        EXPECT_TRUE(wineServerRunning(f.prefix, f.servers));
        // Asking again finds it again: the check leaves no connection waiting that could fill the queue.
        for (int i = 0; i < 20; ++i) EXPECT_TRUE(wineServerRunning(f.prefix, f.servers));
    }
    // The socket of a server that was killed is still there, and nobody answers it.
    ASSERT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(f.socket())));
    EXPECT_FALSE(wineServerRunning(f.prefix, f.servers));
    std::filesystem::remove(f.socket());

    // A plain file of that name is no server either.
    f.dir.write("servers/" + serverFolderName(f.prefix) + "/socket", "");
    EXPECT_FALSE(wineServerRunning(f.prefix, f.servers));
}

TEST(WineServerCheck, DebiansPrivateServerFolderIsCheckedTheSameWay) {
    Folders f;
    f.dir.write("prefix/wineserver", "wine-2jECX9");
    samples::ServerSocket server(f.dir / ("wine-2jECX9/" + serverFolderName(f.prefix) + "/socket"));
    ASSERT_TRUE(server.bound());
    EXPECT_TRUE(wineServerRunning(f.prefix, f.servers));
}

TEST(WineServerCheck, ASocketPathTooLongForAnAddressIsStillAsked) {
    Folders f;
    const std::string servers = f.dir / std::string(120, 's');
    const std::string socket = servers + "/" + serverFolderName(f.prefix) + "/socket";
    {
        samples::ServerSocket server(socket);
        ASSERT_TRUE(server.bound());
        EXPECT_TRUE(wineServerRunning(f.prefix, servers));
    }
    EXPECT_FALSE(wineServerRunning(f.prefix, servers));
}

TEST(WineServerCheck, WhenTheSocketCannotBeAskedTheServerCountsAsRunning) {
    Folders f;
    samples::ServerSocket server(f.socket());
    ASSERT_TRUE(server.bound());
    // Readable folders, but a socket this user may not connect to.
    using std::filesystem::perms;
    std::filesystem::permissions(
        f.dir.path(), perms::group_read | perms::group_exec | perms::others_read | perms::others_exec,
        std::filesystem::perm_options::add);
    std::filesystem::permissions(f.socket(), perms::none);
    const std::string prefix = f.prefix, servers = f.servers;
    EXPECT_EQ(test::runUnprivileged([&] { return wineServerRunning(prefix, servers) ? 1 : 0; }), 1);
}

}  // namespace tally
