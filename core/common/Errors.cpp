#include "core/common/Errors.h"

#include <cerrno>

namespace mirvane::errors {

std::string_view description(int number) {
    switch (number) {
    case InvalidProcedureCall:
        return "Geçersiz yordam çağrısı veya bağımsız değişken";
    case Overflow:
        return "Taşma";
    case OutOfMemory:
        return "Yetersiz bellek";
    case SubscriptOutOfRange:
        return "Alt simge aralık dışında";
    case TypeMismatch:
        return "Tür uyuşmazlığı";
    case BadFileName:
        return "Hatalı dosya adı veya numarası";
    case FileNotFound:
        return "Dosya bulunamadı";
    case DeviceIoError:
        return "Aygıt G/Ç hatası";
    case FileAlreadyExists:
        return "Dosya zaten var";
    case DiskFull:
        return "Disk dolu";
    case InputPastEndOfFile:
        return "Dosya sonundan sonra okuma denendi";
    case TooManyRecords:
        return "Hatalı kayıt numarası";
    case PermissionDenied:
        return "İzin verilmedi";
    case PathFileAccessError:
        return "Yol/Dosya erişim hatası";
    case PathNotFound:
        return "Yol bulunamadı";
    case InvalidFileFormat:
        return "Geçersiz dosya biçimi";
    case InvalidPropertyValue:
        return "Geçersiz özellik değeri";
    case CannotStartProgram:
        return "Program başlatılamadı";
    default:
        return "Uygulama tanımlı veya nesne tanımlı hata";
    }
}

RunTimeError make(int number) {
    return RunTimeError{number, std::string(description(number))};
}

RunTimeError make(int number, std::string description) {
    return RunTimeError{number, std::move(description)};
}

namespace {

int catalogueNumberOfErrno(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return FileNotFound;
    case ENOSPC:
#ifdef EDQUOT // not on Windows
    case EDQUOT:
#endif
        return DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return PermissionDenied;
    case ENOTDIR:
        return PathNotFound;
    case ENAMETOOLONG:
    case EINVAL:
        return BadFileName;
    case EIO:
        return DeviceIoError;
    case EEXIST:
        return FileAlreadyExists;
    case ENOMEM:
        return OutOfMemory;
    default:
        return PathFileAccessError;
    }
}

} // namespace

RunTimeError fromErrno(int errnoValue) {
    return make(catalogueNumberOfErrno(errnoValue));
}

} // namespace mirvane::errors
