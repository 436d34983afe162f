#include "shell/PlainHeader.h"

#include <QStyle>
#include <QStyleOptionHeader>

namespace mirvane::shell {

QSize PlainHeader::sectionSizeFromContents(int section) const {
    const auto data = [&](int role) {
        return model()->headerData(section, orientation(), role);
    };
    if (highlightSections() || data(Qt::SizeHintRole).isValid() || data(Qt::FontRole).isValid() ||
        data(Qt::DecorationRole).isValid()) {
        return QHeaderView::sectionSizeFromContents(section);
    }
    ensurePolished();
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.section = section;
    option.text = data(Qt::DisplayRole).toString();
    if (isSortIndicatorShown()) {
        option.sortIndicator = sortIndicatorOrder() == Qt::AscendingOrder
                                   ? QStyleOptionHeader::SortDown
                                   : QStyleOptionHeader::SortUp;
    }
    return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
}

} // namespace mirvane::shell
