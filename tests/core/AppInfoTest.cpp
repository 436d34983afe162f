#include "core/app/AppInfo.h"

#include "core/common/Errors.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <string>

using namespace mirvane;
using namespace mirvane::app;

TEST(VersionTexts, RevisionFollowsMinorWithoutSeparator) {
    const Version version = currentVersion();
    EXPECT_EQ(version.major, 1);
    EXPECT_EQ(version.minor, 1);
    EXPECT_EQ(version.revision, 4);
    EXPECT_EQ(mainWindowTitle(version), "Telvar - Mirvane 1.14");
    EXPECT_EQ(aboutVersionText(version), "Sürüm 1.14");
    EXPECT_EQ(versionNumberText(Version{2, 0, 10}), "2.010");
    EXPECT_EQ(mainWindowTitle(Version{1, 2, 0}), "Telvar - Mirvane 1.20");
}

TEST(MessageBoxCentring, HalvesRoundToEven) {
    EXPECT_EQ(centredBoxPosition({100, 100, 501, 401}, 200, 100), (Point{200, 200}));
    // 150.5 + 100 - 50 = 200.5 -> 200, but 151.5 + 100 - 50 = 201.5 -> 202.
    EXPECT_EQ(centredBoxPosition({100, 100, 503, 403}, 200, 100), (Point{202, 202}));
    // Odd box: 200 + 0 - 100.5 = 99.5 -> 100.
    EXPECT_EQ(centredBoxPosition({0, 0, 400, 300}, 201, 101), (Point{100, 100}));
}

TEST(MessageBoxCentring, LargerBoxExtendsEquallyBeyondBothSides) {
    EXPECT_EQ(centredBoxPosition({100, 100, 300, 200}, 400, 300), (Point{0, 0}));
    EXPECT_EQ(centredBoxPosition({0, 0, 100, 100}, 300, 300), (Point{-100, -100}));
    EXPECT_EQ(centredBoxPosition({-200, -100, 0, 100}, 100, 100), (Point{-150, -50}));
}

TEST(ErrorReport, SixLinesWithNumberAndDescription) {
    const std::string text = errorReportText(5, "Açıklama");
    EXPECT_EQ(text, "Program, aşağıdaki hata nedeniyle doğru çalışmayabilir! \nYine de devam etmek "
                    "istiyor musunuz?\r\n\r\nHata Kodu: 5\r\n\r\nHata Mesajı: Açıklama");
}

TEST(ErrorCatalogue, DescriptionsByNumber) {
    EXPECT_EQ(errors::description(errors::InvalidProcedureCall),
              "Geçersiz yordam çağrısı veya bağımsız değişken");
    EXPECT_EQ(errors::description(6), "Taşma");
    EXPECT_EQ(errors::description(53), "Dosya bulunamadı");
    EXPECT_EQ(errors::description(62), "Dosya sonundan sonra okuma denendi");
    EXPECT_EQ(errors::description(321), "Geçersiz dosya biçimi");
    EXPECT_EQ(errors::description(0), "Uygulama tanımlı veya nesne tanımlı hata");
    EXPECT_EQ(errors::description(1000), "Uygulama tanımlı veya nesne tanımlı hata");
    EXPECT_EQ(errors::make(61), (RunTimeError{61, "Disk dolu"}));
    EXPECT_EQ(errors::make(53, "x.faiz bulunamadı"), (RunTimeError{53, "x.faiz bulunamadı"}));
}

TEST(ErrorCatalogue, ErrnoMapsToNearestCatalogueError) {
    EXPECT_EQ(errors::fromErrno(ENOENT), errors::make(errors::FileNotFound));
    EXPECT_EQ(errors::fromErrno(ENOSPC).number, errors::DiskFull);
#ifdef EDQUOT // Windows has no disk quota error
    EXPECT_EQ(errors::fromErrno(EDQUOT).number, errors::DiskFull);
#endif
    EXPECT_EQ(errors::fromErrno(EACCES).number, errors::PermissionDenied);
    EXPECT_EQ(errors::fromErrno(EPERM).number, errors::PermissionDenied);
    EXPECT_EQ(errors::fromErrno(EROFS).number, errors::PermissionDenied);
    EXPECT_EQ(errors::fromErrno(ENOTDIR).number, errors::PathNotFound);
    EXPECT_EQ(errors::fromErrno(ENAMETOOLONG).number, errors::BadFileName);
    EXPECT_EQ(errors::fromErrno(EINVAL).number, errors::BadFileName);
    EXPECT_EQ(errors::fromErrno(EIO).number, errors::DeviceIoError);
    EXPECT_EQ(errors::fromErrno(EEXIST).number, errors::FileAlreadyExists);
    EXPECT_EQ(errors::fromErrno(ENOMEM).number, errors::OutOfMemory);
    EXPECT_EQ(errors::fromErrno(EBUSY), errors::make(errors::PathFileAccessError));
}
