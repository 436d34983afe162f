#pragma once

// Qt draws some texts by itself (the edit menu of a text or date field, the
// standard buttons); these come from Qt's own catalogues, which must be Turkish
// like the rest of the program whatever language the system speaks.

class QCoreApplication;

namespace mirvane::shell {

// Installs Qt's Turkish catalogue (qtbase_tr.qm from Qt's translations folder)
// into `application`. False when the catalogue is missing or unreadable: Qt then
// keeps its English texts and the program runs on.
bool installQtTranslations(QCoreApplication& application);

} // namespace mirvane::shell
