// Where a player's settings end up, for every kind of copy and file, with real files and, as root,
// a player who is not root
#include "SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

using namespace fendral;

namespace {
constexpr auto ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::ExeOwner
    | QFile::ExeGroup | QFile::ExeOther;
constexpr auto Writable = ReadOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;

void writeFile(const QString& path, const QByteArray& content, QFile::Permissions permissions)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.setPermissions(permissions);
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
    const struct {
        const char* folder; // "installed" (bin beside share with the desktop entry), rw or r
        const char* beside; // the Fendral.ini beside the program: "-" none, rw or r
        const char* perUserBefore;
        bool besideKept; // the file beside the program is where the settings live
        const char* perUserAfter;
    } cases[] = { { "rw", "-", "-", true, "-" }, { "rw", "rw", "mine", true, "mine" },
        { "rw", "r", "-", false, "beside" }, { "rw", "r", "mine", false, "mine" },
        { "r", "-", "-", false, "-" }, { "r", "rw", "-", false, "beside" },
        { "installed", "-", "-", false, "-" }, { "installed", "rw", "-", false, "beside" } };
    for (const auto& c : cases) {
        const std::string what = std::string(c.folder) + " " + c.beside + " " + c.perUserBefore;
        QTemporaryDir root;
        QFile::setPermissions(root.path(), Writable);
        const bool installed = c.folder == std::string("installed");
        const QString program = root.filePath(installed ? "usr/bin" : "game");
        const QString config = root.filePath("home/Fendral");
        for (const QString& folder : { program, config, root.filePath("usr/share/applications") })
            QDir().mkpath(folder), QFile::setPermissions(folder, Writable);
        if (installed)
            writeFile(root.filePath("usr/share/applications/io.github.fendral.fendral.desktop"), "",
                ReadOnly);
        const QString beside = program + "/Fendral.ini";
        if (c.beside != std::string("-"))
            writeFile(beside, "beside", c.beside == std::string("r") ? ReadOnly : Writable);
        if (c.perUserBefore != std::string("-"))
            writeFile(config + "/Fendral.ini", c.perUserBefore, Writable);
        QFile::setPermissions(program, c.folder == std::string("r") ? ReadOnly : Writable);

        EXPECT_TRUE(!nobody || seteuid(nobody->pw_uid) == 0);
        const QString path = settingsFilePath(program, config);
        EXPECT_TRUE(!nobody || seteuid(0) == 0);

        EXPECT_EQ(path, c.besideKept ? beside : config + "/Fendral.ini") << what;
        EXPECT_EQ(contentOf(config + "/Fendral.ini"), c.perUserAfter) << what;
        EXPECT_EQ(contentOf(beside), c.beside == std::string("-") ? "-" : "beside") << what;
        EXPECT_EQ(QDir(program).entryList(QDir::Hidden | QDir::Files).size(),
            c.beside == std::string("-") ? 0 : 1)
            << what << ": nothing left beside the program";
        QFile::setPermissions(program, Writable); // to be removed
    }
}
