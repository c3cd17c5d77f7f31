// Where a player's settings end up, for every kind of copy and file, with real files and, as root,
// a player who is not root
#include "SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

using namespace fendral;

namespace {

enum class Folder { Writable, ReadOnly, Installed };
enum class File { None, Writable, ReadOnly };

void writeFile(const QString& path, const QByteArray& content, QFile::Permissions permissions)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    file.setPermissions(permissions);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

constexpr auto Everyone = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
constexpr auto EveryoneWrites
    = Everyone | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
constexpr auto EveryoneEnters = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;

} // namespace

TEST(SettingsPlaces, EachKindOfCopyKeepsItsSettingsWhereThePlayerCanWriteThem)
{
    // As root the player is the user nobody: root may write any file it can open
    const passwd* nobody = geteuid() == 0 ? getpwnam("nobody") : nullptr;
    const struct {
        Folder folder;
        File file;
        bool perUserFileBefore;
        bool besideExpected;
        const char* perUserContent; // afterwards
    } cases[] = {
        { Folder::Writable, File::None, false, true, "(none)" },
        { Folder::Writable, File::Writable, true, true, "mine" },
        { Folder::Writable, File::ReadOnly, false, false, "beside" }, // filled from the file
        { Folder::Writable, File::ReadOnly, true, false, "mine" }, // never filled twice
        { Folder::ReadOnly, File::None, false, false, "(none)" },
        { Folder::ReadOnly, File::Writable, false, false, "beside" },
        { Folder::Installed, File::None, false, false, "(none)" },
        { Folder::Installed, File::Writable, false, false, "beside" },
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        QFile::setPermissions(root.path(), EveryoneWrites | EveryoneEnters);
        const QString program = root.filePath(c.folder == Folder::Installed ? "usr/bin" : "game");
        QDir().mkpath(program);
        if (c.folder == Folder::Installed) {
            QDir().mkpath(root.filePath("usr/share/applications"));
            writeFile(root.filePath("usr/share/applications/io.github.fendral.fendral.desktop"),
                "[Desktop Entry]\n", Everyone);
        }
        const QString beside = program + "/Fendral.ini";
        if (c.file != File::None)
            writeFile(beside, "beside", c.file == File::Writable ? EveryoneWrites : Everyone);
        QFile::setPermissions(
            program, (c.folder == Folder::ReadOnly ? Everyone : EveryoneWrites) | EveryoneEnters);
        const QString config = root.filePath("home/.config/Fendral");
        QDir().mkpath(config);
        QFile::setPermissions(config, EveryoneWrites | EveryoneEnters);
        if (c.perUserFileBefore)
            writeFile(config + "/Fendral.ini", "mine", EveryoneWrites);

        QString path;
        {
            if (nobody) {
                ASSERT_EQ(seteuid(nobody->pw_uid), 0);
            }
            const auto backToRoot = qScopeGuard([nobody] {
                if (nobody) {
                    EXPECT_EQ(seteuid(0), 0);
                }
            });
            path = settingsFilePath(program, config);
        }
        const std::string what = "folder " + std::to_string(int(c.folder)) + ", file "
            + std::to_string(int(c.file)) + (c.perUserFileBefore ? ", per-user file" : "");
        EXPECT_EQ(path, c.besideExpected ? beside : config + "/Fendral.ini") << what;
        EXPECT_EQ(contentOf(config + "/Fendral.ini"), c.perUserContent) << what;
        EXPECT_EQ(contentOf(beside), c.file == File::None ? "(none)" : "beside") << what;
        EXPECT_EQ(QDir(program).entryList(QDir::Hidden | QDir::Files).size(),
            c.file == File::None ? 0 : 1)
            << what << ": nothing left beside the program";
        QFile::setPermissions(program, EveryoneWrites | EveryoneEnters); // to be removed
    }
}
