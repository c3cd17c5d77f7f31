// Where a player's settings end up, for every kind of copy and file, with real files and, as root,
// a player who is not root
#include "SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

#include <pwd.h>
#include <unistd.h>

using namespace fendral;

namespace {
constexpr auto ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::ExeOwner
    | QFile::ExeGroup | QFile::ExeOther;
constexpr auto Writable = ReadOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

// A folder, or a file with its content, that anyone may write or only read
void make(const QString& path, const std::optional<QByteArray>& content, bool writable)
{
    QFile file(path);
    EXPECT_TRUE(content ? file.open(QIODevice::WriteOnly) && file.write(*content) == content->size()
                        : QDir().mkpath(path));
    file.setPermissions(writable ? Writable : ReadOnly);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "-";
}
}

TEST(SettingsPlaces, EachKindOfCopyKeepsItsSettingsWhereThePlayerCanWriteThem)
{
    // As root the player is the user nobody: root may write any file it can open
    const passwd* nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
    // The program's folder ("installed": bin beside share with the desktop entry; rw; r; a file;
    // none known), the Fendral.ini beside it ("-": none; rw; r), the player's own file before;
    // whether the settings live beside the program, and the player's own file after
    const std::tuple<QString, QString, QByteArray, bool, QByteArray> cases[]
        = { { "rw", "-", "-", true, "-" }, { "rw", "rw", "mine", true, "mine" },
              { "rw", "r", "-", false, "beside" }, { "rw", "r", "mine", false, "mine" },
              { "r", "-", "-", false, "-" }, { "r", "rw", "-", false, "beside" },
              { "installed", "-", "-", false, "-" }, { "installed", "rw", "-", false, "beside" },
              { "file", "-", "-", false, "-" }, { "none", "-", "-", false, "-" } };
    for (const auto& [folder, beside, before, besideKept, after] : cases) {
        const std::string what = (folder + " " + beside + " " + before).toStdString();
        QTemporaryDir root;
        QFile::setPermissions(root.path(), Writable);
        const QString program = folder == "none"
            ? QString()
            : root.filePath(folder == "installed" ? "usr/bin" : "game");
        const QString besideFile = program + "/Fendral.ini";
        const QString config = root.filePath("home/Fendral"); // made on the way when missing
        make(root.filePath("usr/share/applications"), {}, true);
        const QString desktopEntry = "usr/share/applications/io.github.fendral.fendral.desktop";
        if (folder == "installed")
            make(root.filePath(desktopEntry), "", false);
        if (!program.isEmpty())
            make(program, folder == "file" ? std::optional<QByteArray>("") : std::nullopt, true);
        if (beside != "-")
            make(besideFile, "beside", beside == "rw");
        if (before != "-") {
            make(config, {}, true);
            make(config + "/Fendral.ini", before, true);
        }
        QFile::setPermissions(program, folder == "r" ? ReadOnly : Writable);

        EXPECT_TRUE(!nobody || seteuid(nobody->pw_uid) == 0);
        const QString path = settingsFilePath(program, config);
        EXPECT_TRUE(!nobody || seteuid(0) == 0);

        EXPECT_EQ(path, besideKept ? besideFile : config + "/Fendral.ini") << what;
        EXPECT_EQ(contentOf(config + "/Fendral.ini"), after) << what;
        EXPECT_EQ(contentOf(besideFile), beside == "-" ? "-" : "beside") << what;
        EXPECT_TRUE(besideKept || QFileInfo(config).isDir()) << what;
        EXPECT_TRUE(program.isEmpty()
            || QDir(program).entryList(QDir::Hidden | QDir::Files).size() == (beside != "-"))
            << what << ": nothing left beside the program";
        QFile::setPermissions(program, Writable); // to be removed
    }
}
