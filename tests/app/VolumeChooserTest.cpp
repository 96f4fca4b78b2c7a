// Where the volume chooser's folder dialog opens: among the mounted media
// when there are any, the user's own mount folder first, else the home
// folder.

#include "app/VolumeChooser.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kHome = "/home/alice";

QString Start(const QStringList& mountPoints, const QString& user = "alice")
{
    return VolumeChooserStartFolder(mountPoints, user, kHome);
}

TEST(VolumeChooserStart, WithoutMediaTheHomeFolder)
{
    EXPECT_EQ(Start({}), kHome);
    // Mount points elsewhere are not media.
    EXPECT_EQ(Start({"/mediaX/disc", "/srv/media/alice/disc"}), kHome);
}

TEST(VolumeChooserStart, TheFolderThatHoldsTheMountedMedia)
{
    EXPECT_EQ(Start({"/media/alice/MGS_1001"}), "/media/alice");
    EXPECT_EQ(Start({"/run/media/alice/VG_0006"}), "/run/media/alice");
    EXPECT_EQ(Start({"/mnt/pds"}), "/mnt");
    // Mounted by the system rather than for the user (/etc/fstab's
    // /media/cdrom0), or for someone else.
    EXPECT_EQ(Start({"/media/cdrom0"}), "/media");
    EXPECT_EQ(Start({"/run/media/bob/VG_0006"}), "/run/media");
    // A name that merely begins with the user's is another user's.
    EXPECT_EQ(Start({"/media/alicebeth/disc"}), "/media");
    // Without a user name only the shared folders are looked at.
    EXPECT_EQ(Start({"/media/alice/disc"}, ""), "/media");
}

TEST(VolumeChooserStart, TheUsersOwnMediaComeFirstWhateverTheMountOrder)
{
    EXPECT_EQ(Start({"/mnt/pds", "/media/cdrom0", "/run/media/alice/disc", "/media/alice/disc"}), "/media/alice");
    EXPECT_EQ(Start({"/mnt/pds", "/media/cdrom0", "/run/media/alice/disc"}), "/run/media/alice");
    // Media of the shared folders before those under /mnt.
    EXPECT_EQ(Start({"/mnt/pds", "/run/media/bob/disc"}), "/run/media");
}

}  // namespace
