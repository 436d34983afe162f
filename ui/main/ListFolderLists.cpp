#include "ui/main/ListFolderLists.h"

#include "core/common/Utf8Path.h"
#include "core/ratelist/FolderState.h"
#include "core/ratelist/RateListStore.h"
#include "core/rates/DefaultLists.h"
#include "shell/Convert.h"
#include "shell/Messages.h"
#include "shell/SharedValues.h"

#include <QDir>
#include <QPushButton>

namespace mirvane::ui {

namespace {

const std::string ListsReadOnlyNote = "(salt okunur)";
const QString BuiltInListsTip =
    QStringLiteral("Liste klasörü kullanılamıyor: programın kendi hazır listeleri salt okunur "
                   "gösteriliyor. Liste eklemek, güncellemek ya da silmek için liste klasörüne "
                   "yazma izni gerekir.");
const QString ReadOnlyFolderTip =
    QStringLiteral("Liste klasörüne yazılamıyor: listeler salt okunur. Liste eklemek, "
                   "güncellemek ya da silmek için klasöre yazma izni gerekir.");
const QString BuiltInListsNotice = QStringLiteral(
    "Programın kendi hazır listeleri salt okunur olarak gösteriliyor; hesaplar bu listelerle "
    "yapılabilir. Yeni liste eklemek, listeleri güncellemek ya da silmek için liste klasörüne "
    "yazma izni gerekir.");
const QString ReadOnlyFolderNotice =
    QStringLiteral("Klasördeki listeler salt okunur olarak gösteriliyor; hesaplar bu listelerle "
                   "yapılabilir. Yeni liste eklemek, listeleri güncellemek ya da silmek için "
                   "klasöre yazma izni gerekir.");

} // namespace

FolderLists readListFolder() {
    shell::SharedValues& values = shell::shared();
    FolderLists lists;
    const Status prepared = store::prepareFolder(values.ListFolder);
    if (!prepared) {
        lists.unusable = shell::toQString(prepared.error().description);
    }
    values.ListsBuiltIn = !prepared;
    Result<store::Listing> listing = store::listNames(values.listSource());
    if (!listing) {
        lists.unusable = shell::toQString(listing.error().description);
        values.ListsBuiltIn = true;
        listing = store::listNames(values.listSource());
    }
    // Lists kept in a folder the user may only read are still used; what would
    // change them is turned off.
    values.ListFolderWritable = !values.ListsBuiltIn && store::isUsableFolder(values.ListFolder);
    if (!values.ListFolderWritable) {
        lists.notices.push_back(ListsReadOnlyNote);
    }
    if (listing) {
        lists.names = std::move(listing.value().names);
        lists.notices.insert(lists.notices.end(), listing.value().notices.begin(),
                             listing.value().notices.end());
    }
    return lists;
}

void showWhetherListsCanChange(std::initializer_list<QPushButton*> editors) {
    const shell::SharedValues& values = shell::shared();
    const QString why = values.ListFolderWritable ? QString()
                        : values.ListsBuiltIn     ? BuiltInListsTip
                                                  : ReadOnlyFolderTip;
    for (QPushButton* editor : editors) {
        editor->setEnabled(values.ListFolderWritable);
        editor->setToolTip(why);
    }
}

void tellFolderCannotBeWritten(const QString& unusable) {
    const shell::SharedValues& values = shell::shared();
    const QString folder =
        QDir::toNativeSeparators(shell::toQString(utf8path::toUtf8(values.ListFolder)));
    shell::showNotice(values.ListsBuiltIn
                          ? unusable + QStringLiteral("\n\n") + BuiltInListsNotice
                          : QStringLiteral("Liste klasörüne yazılamıyor: \"%1\".\n\n").arg(folder) +
                                ReadOnlyFolderNotice);
}

} // namespace mirvane::ui
