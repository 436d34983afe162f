#include "core/rates/ListSource.h"

#include "core/ratelist/FaizFile.h"
#include "core/rates/ReadyLists.h"

namespace mirvane::store {

Result<Listing> listNames(const ListSource& source) {
    if (!source.builtIn) {
        return enumerateListNames(source.folder);
    }
    Listing listing;
    for (const RateList& list : rates::readyLists()) {
        listing.names.push_back(list.Name);
    }
    return listing;
}

Result<RateList> readList(const ListSource& source, std::string_view name) {
    if (!source.builtIn) {
        return faiz::read(listFilePath(source.folder, name));
    }
    if (const RateList* list = rates::readyList(name)) {
        return *list;
    }
    return errors::make(errors::FileNotFound,
                        "\"" + std::string(name) + "\" adlı hazır liste yok.");
}

} // namespace mirvane::store
