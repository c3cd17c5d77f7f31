// Where a player's settings end up, for every kind of copy and file, with real files and, as root,
// a player who is not root
#include "SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string_view>

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
        std::string_view folder; // "installed" (bin beside share with the desktop entry), rw, r,
                                 // a file, or none known
        std::string_view beside; // the Fendral.ini beside the program: "-" none, rw or r
        std::string_view perUserBefore;
        bool besideKept; // the file beside the program is where the settings live
        const char* perUserAfter;
    } cases[] = { { "rw", "-", "-", true, "-" }, { "rw", "rw", "mine", true, "mine" },
        { "rw", "r", "-", false, "beside" }, { "rw", "r", "mine", false, "mine" },
        { "r", "-", "-", false, "-" }, { "r", "rw", "-", false, "beside" },
        { "installed", "-", "-", false, "-" }, { "installed", "rw", "-", false, "beside" },
        { "file", "-", "-", false, "-" }, { "none", "-", "-", false, "-" } };
    for (const auto& c : cases) {
        const std::string what
            = std::string(c.folder) + " " + c.beside.data() + " " + c.perUserBefore.data();
        QTemporaryDir root;
        QFile::setPermissions(root.path(), Writable);
        const QString program = c.folder == "none"
            ? QString()
            : root.filePath(c.folder == "installed" ? "usr/bin" : "game");
        const QString config = root.filePath("home/Fendral"); // made on the way when missing
        const bool file = c.folder == "file";
        for (const QString& folder :
            { file ? QString() : program, root.filePath("usr/share/applications") })
            QDir().mkpath(folder), QFile::setPermissions(folder, Writable);
        if (c.folder == "installed")
            writeFile(root.filePath("usr/share/applications/io.github.fendral.fendral.desktop"), "",
                ReadOnly);
        if (file)
            writeFile(program, "", Writable);
        const QString beside = program + "/Fendral.ini";
        if (c.beside != "-")
            writeFile(beside, "beside", c.beside == "r" ? ReadOnly : Writable);
        if (c.perUserBefore != "-") {
            QDir().mkpath(config), QFile::setPermissions(config, Writable);
            writeFile(config + "/Fendral.ini", QByteArray(c.perUserBefore.data()), Writable);
        }
        QFile::setPermissions(program, c.folder == "r" ? ReadOnly : Writable);

        EXPECT_TRUE(!nobody || seteuid(nobody->pw_uid) == 0);
        const QString path = settingsFilePath(program, config);
        EXPECT_TRUE(!nobody || seteuid(0) == 0);

        EXPECT_EQ(path, c.besideKept ? beside : config + "/Fendral.ini") << what;
        EXPECT_EQ(contentOf(config + "/Fendral.ini"), c.perUserAfter) << what;
        EXPECT_EQ(contentOf(beside), c.beside == "-" ? "-" : "beside") << what;
        EXPECT_TRUE(c.besideKept || QFileInfo(config).isDir()) << what;
        EXPECT_TRUE(program.isEmpty()
            || QDir(program).entryList(QDir::Hidden | QDir::Files).size() == (c.beside != "-"))
            << what << ": nothing left beside the program";
        QFile::setPermissions(program, Writable); // to be removed
    }
}
