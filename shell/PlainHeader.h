#pragma once

// A header measured in the face it is drawn in. Qt measures every section in bold, the
// way it draws a highlighted one; these headers highlight nothing, and measuring in bold
// would load a bold face into every start for no letter drawn with it.

#include <QHeaderView>

namespace mirvane::shell {

class PlainHeader : public QHeaderView {
public:
    using QHeaderView::QHeaderView;

protected:
    QSize sectionSizeFromContents(int section) const override;
};

} // namespace mirvane::shell
