#include "ui/archive/ZipDialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/archive/CZip.h"
#include "core/project/PathOps.h"
#include "ui/common/AnsiText.h"
#include "ui/common/BackgroundCall.h"
#include "ui/common/IconLibrary.h"

namespace tally {

namespace {

constexpr int kPathRole = Qt::UserRole;

bool existsOnDisk(const std::string& path) {
    return QFileInfo(fromLocalPath(path)).isFile();
}

// The icon names of the rows, drawn by the tree's icons where the program has one.
QString iconFileFor(const std::string& icon) {
    static const std::pair<const char*, const char*> kDrawn[] = {
        {"control", "control"}, {"propsht", "propsht"}, {"dll", "dll"}, {"frm", "form"}, {"mod", "module"},
        {"cls", "class"}, {"reg", "reg"}, {"usrctl", "userctl"}, {"proj", "proj"}, {"bmp", "blank"},
        {"unknown", "blank"}};
    for (const auto& [name, file] : kDrawn)
        if (icon == name) return QString::fromLatin1(file);
    return QStringLiteral("blank");
}

}  // namespace

QString zipAddFilesFilter() {
    return QStringLiteral(
        "Form Files|*.frm|Modules|*.bas|Class Files|*.cls|User Controls|*.ctl|OCX Files|*.ocx|DLL Files|*.dll|"
        "Icons|*.ico|Bitmap Files|*.bmp|GIF Files|*.gif|Project Scan Files|*.psf|All Files|*.*");
}

ZipDialog::ZipDialog(const ProjectModel& model, Archiver& archiver, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_archiver(archiver), m_prompts(prompts), m_projectFolder(directoryOf(model.projectPath)) {
    setObjectName(QStringLiteral("frmZip"));
    setWindowTitle(tr("Zip Project Files"));
    auto* note = new QLabel(tr("All files with their checkboxes checked will be added to the zip archive."), this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lvwZipFiles"));
    m_list->setHeaderLabels({tr("File Name"), tr("Path")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    // Rows stay in the order they were added (the project file first) until a header is clicked.
    m_list->header()->setSortIndicator(-1, Qt::AscendingOrder);
    m_list->setSortingEnabled(true);
    m_list->header()->setSortIndicatorShown(true);
    m_list->setColumnWidth(0, 220);
    m_path = new QCheckBox(tr("Store path information."), this);
    m_path->setObjectName(QStringLiteral("chkPath"));
    m_add = new QPushButton(tr("&Add Files"), this);
    m_add->setObjectName(QStringLiteral("cmdAdd"));
    m_zip = new QPushButton(tr("&Zip Files"), this);
    m_zip->setObjectName(QStringLiteral("cmdZip"));
    m_zip->setDefault(true);
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("stbZip"));
    m_status->setSizeGripEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_path);
    buttons->addStretch();
    buttons->addWidget(m_add);
    buttons->addWidget(m_zip);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_status);
    resize(620, 420);

    connect(m_add, &QPushButton::clicked, this, &ZipDialog::addFiles);
    connect(m_zip, &QPushButton::clicked, this, &ZipDialog::zipFiles);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemChanged, this, &ZipDialog::rowChanged);

    for (const ZipRow& row : projectZipRows(model, existsOnDisk)) addRow(row);
    showCount();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void ZipDialog::reject() {
    if (m_running) {
        m_stop = true;
        return;
    }
    QDialog::reject();
}

void ZipDialog::addRow(const ZipRow& row) {
    const QSignalBlocker quiet(m_list);
    auto* item = new QTreeWidgetItem(QStringList{fromLocalPath(row.name), fromLocalPath(row.folder)});
    item->setData(0, kPathRole, fromLocalPath(row.path()));
    item->setIcon(0, IconLibrary::icon(iconFileFor(row.icon)));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
    m_list->addTopLevelItem(item);
    if (row.checked) ++m_checked;
}

void ZipDialog::rowChanged(QTreeWidgetItem* item, int column) {
    if (column != 0) return;
    // The count follows each tick; the item remembers what it showed so that other changes to it
    // (a sort) do not count.
    const bool checked = item->checkState(0) == Qt::Checked;
    const bool was = item->data(0, Qt::UserRole + 1).isValid() ? item->data(0, Qt::UserRole + 1).toBool() : true;
    if (checked == was) return;
    item->setData(0, Qt::UserRole + 1, checked);
    m_checked += checked ? 1 : -1;
    showCount();
}

void ZipDialog::showCount() {
    showStatus(fromAnsi(zipCountText(m_checked)));
}

void ZipDialog::showStatus(const QString& text) {
    m_status->showMessage(text);
}

QString ZipDialog::statusText() const {
    return m_status->currentMessage();
}

void ZipDialog::addFiles() {
    const QStringList files = m_prompts.chooseOpenFiles(tr("Open File"), zipAddFilesFilter());
    for (const QString& file : files)
        if (std::optional<ZipRow> row = zipRowFor(toLocalPath(QFileInfo(file).absoluteFilePath()), existsOnDisk))
            addRow(*row);
    if (!files.isEmpty()) showCount();
}

void ZipDialog::zipFiles() {
    QString path = m_prompts.chooseSaveFile(tr("Open File"), QStringLiteral("Zip Files|*.zip|All Files|*.*"),
                                            QStringLiteral("NewZip.zip"));
    if (path.isEmpty()) return;
    path = QFileInfo(path).absoluteFilePath();
    if (QFileInfo::exists(path) &&
        !m_prompts.askYesNo(tr("This file exists. Do you want to overwrte it?"), applicationTitle()))
        return;

    CZip zip;
    zip.zipFile = toLocalPath(path);
    // Yes to the question replaces the archive: adding to the old one would keep the entries the
    // user asked to overwrite.
    zip.options.allowAppend = false;
    zip.options.storeFolderNames = m_path->isChecked();
    // Folders are stored below the project's own, whatever folder the program was started in.
    zip.options.basePath = m_projectFolder;
    zip.options.recurseSubDirs = false;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked) zip.addFileSpec(toLocalPath(item->data(0, kPathRole).toString()));
    }
    // Each file shows in the status bar while it is stored; the run keeps the window painting.
    zip.events.progress = [this](const std::string& file) {
        QMetaObject::invokeMethod(this, [this, shown = fromLocalPath(file)] { showStatus(shown); },
                                  Qt::QueuedConnection);
        return m_stop.load();
    };
    Archiver& archiver = m_archiver;
    m_stop = false;
    m_running = true;
    const Outcome zipped = runWhilePainting([&zip, &archiver] { return zip.zip(archiver); });
    m_running = false;
    QCoreApplication::processEvents();
    if (zipped.errorNumber == kZipCancelled) {
        // Stopped by closing the window: the old archive, if any, is as it was.
        showStatus(tr("The zip file was not created."));
        QDialog::reject();
        return;
    }
    if (!zipped.ok) {
        showStatus(tr("The zip file was not created."));
        m_prompts.notify(fromAnsi(zipped.description) + QStringLiteral("\n\n") + fromLocalPath(zipped.detail),
                         MessageIcon::Exclamation, applicationTitle());
        return;
    }
    showStatus(tr("Zip file created"));
}

}  // namespace tally
