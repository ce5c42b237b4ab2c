#include "platform/PosixShellRunner.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace tally {

namespace {

// A folder with fake programs: each writes its arguments, one per line, to <name>.args.
class FakePrograms {
public:
    // A program that records its arguments and ends with `status`.
    std::string program(const std::string& name, int status = 0) {
        std::string path =
            m_dir.write(name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + m_dir / name +
                                  ".args.tmp\"\nmv \"" + m_dir / name + ".args.tmp\" \"" + m_dir / name +
                                  ".args\"\nexit " + std::to_string(status) + "\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    // The arguments the program was started with; empty when it did not run (waits up to 5 s).
    std::string arguments(const std::string& name) const {
        for (int i = 0; i < 500; ++i) {
            std::ifstream in(m_dir / (name + ".args"));
            if (in) {
                std::stringstream text;
                text << in.rdbuf();
                return text.str();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return {};
    }
    bool ran(const std::string& name) const {
        std::ifstream in(m_dir / (name + ".args"));
        return static_cast<bool>(in);
    }
    ShellLaunchSettings settings() const {
        ShellLaunchSettings s;
        s.opener = "opener";
        s.searchPath = m_dir.path() + ":/usr/bin:/bin";
        return s;
    }
    const TempDir& dir() const { return m_dir; }

private:
    TempDir m_dir;
};

}  // namespace

TEST(PosixShellRunner, OpensADocumentWithTheOpenerAndMapsItsFailures) {
    FakePrograms fake;
    std::string document = fake.dir().write("docs/Hourglass.vbp", "Type=Exe\r\n");

    fake.program("opener", 0);
    PosixShellRunner runner(fake.settings());
    EXPECT_TRUE(shellStartSucceeded(runner.start({document, ""})));
    EXPECT_EQ(fake.arguments("opener"), document + "\n");

    // xdg-open's statuses: 2 the file is missing, 3 no program for it, 4 the program failed.
    for (auto [status, code] : {std::pair{2, 2}, {3, 31}, {4, 27}, {1, 0}}) {
        FakePrograms failing;
        std::string doc = failing.dir().write("a.vbp", "x");
        failing.program("opener", status);
        PosixShellRunner r(failing.settings());
        EXPECT_EQ(r.start({doc, ""}), code) << "status " << status;
    }
}

TEST(PosixShellRunner, MissingDocumentsFoldersAndOpenersStartNothing) {
    FakePrograms fake;
    fake.program("opener", 0);
    PosixShellRunner runner(fake.settings());
    EXPECT_EQ(runner.start({fake.dir() / "Missing.vbp", ""}), kShellFileNotFound);
    EXPECT_EQ(runner.start({fake.dir() / "no/such/folder/Missing.vbp", ""}), kShellPathNotFound);
    EXPECT_FALSE(fake.ran("opener"));

    ShellLaunchSettings noOpener = fake.settings();
    noOpener.opener = "no-such-opener-program";
    PosixShellRunner withoutOpener(noOpener);
    std::string document = fake.dir().write("a.vbp", "x");
    EXPECT_EQ(withoutOpener.start({document, ""}), kShellFileNotFound);
}

TEST(PosixShellRunner, AnUnreadableDocumentIsAccessDenied) {
    FakePrograms fake;
    fake.program("opener", 0);
    std::string document = fake.dir().write("secret.vbp", "x");
    ::chmod(fake.dir().path().c_str(), 0755);
    ::chmod(document.c_str(), 0);
    ShellLaunchSettings settings = fake.settings();
    int code = test::runUnprivileged([&] { return PosixShellRunner(settings).start({document, ""}); });
    EXPECT_EQ(code, kShellAccessDenied);
}

TEST(PosixShellRunner, TheTextEditorIsVisualThenEditorThenTheOpener) {
    FakePrograms fake;
    fake.program("visual-editor");
    fake.program("plain-editor");
    fake.program("opener");

    ShellLaunchSettings settings = fake.settings();
    settings.visual = "visual-editor --new-window";
    settings.editor = "plain-editor";
    EXPECT_TRUE(shellStartSucceeded(PosixShellRunner(settings).start({"notepad.exe", "/p/My Project.vbp"})));
    EXPECT_EQ(fake.arguments("visual-editor"), "--new-window\n/p/My Project.vbp\n");

    settings.visual = "  ";
    EXPECT_TRUE(shellStartSucceeded(PosixShellRunner(settings).start({"NOTEPAD.EXE", "/p/a.vbp"})));
    EXPECT_EQ(fake.arguments("plain-editor"), "/p/a.vbp\n");

    settings.editor.clear();
    EXPECT_TRUE(shellStartSucceeded(PosixShellRunner(settings).start({"notepad.exe", "-rf.vbp"})));
    // A path that looks like an option reaches the program as a relative path instead.
    EXPECT_EQ(fake.arguments("opener"), "./-rf.vbp\n");

    settings.visual = "no-such-editor-program";
    EXPECT_EQ(PosixShellRunner(settings).start({"notepad.exe", "/p/a.vbp"}), kShellFileNotFound);
}

TEST(PosixShellRunner, WindowsProgramsRunThroughWineWhenItIsThere) {
    FakePrograms fake;
    fake.program("wine");
    ShellLaunchSettings settings = fake.settings();
    EXPECT_TRUE(shellStartSucceeded(PosixShellRunner(settings).start({"regsvr32.exe", "/p/My Control.ocx"})));
    EXPECT_EQ(fake.arguments("wine"), "regsvr32.exe\n/p/My Control.ocx\n");
    // A file that is there goes by its Z: path, which Wine does not take for a switch.
    FakePrograms second;
    second.program("wine");
    std::string control = second.dir().write("My Control.ocx", "MZ");
    EXPECT_TRUE(shellStartSucceeded(PosixShellRunner(second.settings()).start({"regsvr32.exe", control})));
    std::string windows = "Z:" + control;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    EXPECT_EQ(second.arguments("wine"), "regsvr32.exe\n" + windows + "\n");
    settings.wine = "no-such-wine-program";
    EXPECT_EQ(PosixShellRunner(settings).start({"REGSVR32.EXE", "/p/a.ocx"}), kShellFileNotFound);
    // Only bare Windows program names go to Wine.
    EXPECT_EQ(PosixShellRunner(fake.settings()).start({"no-such-tool", "/p/a.ocx"}), kShellFileNotFound);
    EXPECT_EQ(PosixShellRunner(fake.settings()).start({"/opt/x/setup.exe", "/p/a.ocx"}), kShellFileNotFound);
}

TEST(PosixShellRunner, AProgramThatIsNotExecutableIsNotFoundOrRefused) {
    FakePrograms fake;
    std::string notExecutable = fake.dir().write("tool", "plain text, no interpreter line");
    ::chmod(notExecutable.c_str(), 0644);
    PosixShellRunner runner(fake.settings());
    // Not executable: the search skips it, so the program is not found.
    EXPECT_EQ(runner.start({"tool", "x"}), kShellFileNotFound);
    // Named with its folder, it is tried and refused.
    EXPECT_EQ(runner.start({notExecutable, "x"}), kShellAccessDenied);
}

}  // namespace tally
