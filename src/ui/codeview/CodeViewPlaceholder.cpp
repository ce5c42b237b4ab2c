#include "ui/codeview/CodeViewPlaceholder.h"

#include <QFrame>
#include <QVBoxLayout>

#include "ui/codeview/FileHeaderStrip.h"
#include "ui/common/AnsiText.h"

namespace tally {

CodeViewPlaceholder::CodeViewPlaceholder(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picCode"));
    m_header = new FileHeaderStrip(this);
    m_header->setObjectName(QStringLiteral("lblCodeFile"));
    auto* area = new QFrame(this);
    area->setObjectName(QStringLiteral("emptyPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(area, 1);
}

void CodeViewPlaceholder::clear() {
    m_filePath.clear();
    m_items.clear();
    m_lastTarget = CodeTarget{};
    m_header->clear();
}

void CodeViewPlaceholder::showFile(const std::string& filePath, const std::vector<ComboItem>& items) {
    m_filePath = filePath;
    m_items = items;
    m_header->showFile(fromLocalPath(filePath));
}

void CodeViewPlaceholder::showTarget(const CodeTarget& target, const std::vector<ComboItem>& items) {
    m_lastTarget = target;
    showFile(target.filePath, items);
}

QString CodeViewPlaceholder::headerText() const {
    return m_header->text();
}

}  // namespace tally
