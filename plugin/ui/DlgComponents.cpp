#include "ui/DlgComponents.h"

#include "host/SettingsStore.h"
#include "platform/Format.h"
#include "platform/NumberParse.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "platform/qt/MessageBoxes.h"
#include "ui/DialogBuilder.h"
#include "ui/GridControls.h"
#include "ui/ResourceIcons.h"
#include "ui/UiText.h"
#include "ui/controls/CGridCtrl.h"
#include "ui/controls/CGridCtrlEditCell.h"

#include <QItemSelectionModel>
#include <QPushButton>


#include <algorithm>
#include <cerrno>
#include <functional>
#include <optional>
#include <set>

namespace ui {

namespace {

using controls::CGridCtrl;

constexpr int kIconId = 114;

// String resources of the column titles.
constexpr int kTitlePosition = 114;        // "№"
constexpr int kTitleName = 126;
constexpr int kTitleAltName = 127;
constexpr int kTitleTime1 = 128;
constexpr int kTitleWindow1Percent = 130;
constexpr int kTitleWindow1Minutes = 141;
constexpr int kTitleTime2 = 129;
constexpr int kTitleWindow2Percent = 131;
constexpr int kTitleWindow2Minutes = 142;
constexpr int kTitleMainChannel = 132;
constexpr int kTitleDeviation = 133;

const QString kNoFileText = QStringLiteral("Существующий файл таблицы не был найден.");
const QString kSaveFailedText = QStringLiteral("Не удалось сохранить таблицу компонентов.");
const QString kLeaveText = QStringLiteral("Выйти без сохранения изменений?");
const QString kLeaveCaption = QStringLiteral("Подтверждение");
// Boxes without a caption of their own carry the product's name.
const QString kProductCaption = QStringLiteral("Dvinar");
const QString kCommandFailedText = QStringLiteral("Не удалось изменить таблицу компонентов.");
const QString kReadFailedText = QStringLiteral("Не удалось прочитать таблицу компонентов.");
const QString kOverwriteUnreadText = QStringLiteral(
    "Файл таблицы компонентов не удалось прочитать. Сохранение заменит его содержимое строками этого окна.\n"
    "Сохранить?");

QString formatted(std::u16string_view format, std::initializer_list<platform::FormatArg> args)
{
    return QString::fromStdU16String(platform::format(format, args));
}

// Numbers the dialog hands out wrap around at the end of the range rather than overflow.
int32_t following(int32_t number)
{
    return static_cast<int32_t>(static_cast<uint32_t>(number) + 1u);
}

// The decimals a fractional column shows; 0 for the other columns.
int decimalsOf(int column)
{
    switch (column) {
    case DlgComponents::ColumnTime1:
    case DlgComponents::ColumnTime2: return 3;
    case DlgComponents::ColumnWindow1:
    case DlgComponents::ColumnWindow2:
    case DlgComponents::ColumnDeviation: return 2;
    default: return 0;
    }
}

double* fractionalField(Component& component, int column)
{
    switch (column) {
    case DlgComponents::ColumnTime1: return &component.time1;
    case DlgComponents::ColumnWindow1: return &component.window1;
    case DlgComponents::ColumnTime2: return &component.time2;
    case DlgComponents::ColumnWindow2: return &component.window2;
    case DlgComponents::ColumnDeviation: return &component.deviation;
    default: return nullptr;
    }
}

QString fractionText(double value, int decimals)
{
    return formatted(u"%.*f", {decimals, value});
}

// A refused character as the analyst can recognise it: the character itself when it can be
// shown, always its code point.
QString describeCharacter(char32_t character)
{
    const QString codePoint = toQString(platform::codePointName(character));
    const char32_t text[] = {character};
    const QString shown = QString::fromUcs4(text, 1);
    if (shown.size() > 0 && shown.at(0).isPrint())
        return QStringLiteral("«") + shown + QStringLiteral("» (") + codePoint + QStringLiteral(")");
    return codePoint;
}

bool isSeparatorOrControl(char32_t character)
{
    return character == U';' || character < 0x20 || character == 0x7F || (character >= 0x80 && character <= 0x9F);
}

// Why the table file cannot hold a character, in the analyst's words.
// Why the file could not be replaced, in the analyst's words; the system's own text for the rare rest.
QString writeFailureReason(const ComponentTableSaveError& error)
{
    switch (error.systemError) {
    case 0:
        return {};
    case EACCES:
    case EPERM:
        return QStringLiteral("Файл таблицы защищён от записи (только для чтения), или нет права писать в его папку.");
    case EROFS:
        return QStringLiteral("Диск с файлом таблицы доступен только для чтения.");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("На диске нет места.");
    case EISDIR:
    case EINVAL:
        return QStringLiteral("На месте файла таблицы находится папка или не обычный файл.");
    case ENOENT:
        return QStringLiteral("Папки таблицы не существует.");
    default:
        return toQString(error.message);
    }
}

QString refusalReason(char32_t character)
{
    if (character == U';')
        return QStringLiteral("это разделитель полей файла");
    if (isSeparatorOrControl(character))
        return QStringLiteral("это управляющий символ");
    return QStringLiteral("его нет в кодировке Windows-1251");
}

// Runs a command of the dialog; a failure is shown once and never leaves the handler.
template <class Command, class Report>
void guarded(Command&& command, Report&& report)
{
    try {
        command();
    } catch (const std::exception&) {  // memory, or a failure of Qt or the host while handling it
        try {
            report();
        } catch (const std::exception&) {
            // Not even the message box could be shown (memory): the command has failed and
            // changed nothing it had not finished, so the dialog carries on as it is.
        }
    }
}

} // namespace

DlgComponents::DlgComponents(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgComponents"));
    if (const resources::DialogTemplate* dialog = dialogTemplate(kTemplateId)) {
        DialogBuilder builder(*dialog);
        builder.setWidgetFactory(gridForListViews());
        builder.build(this);
    }
    setWindowIcon(moduleIcon(kIconId));
    grid_ = findControlAs<CGridCtrl>(this, kGrid);
    if (grid_)
        grid_->setListener(this);

    if (auto* button = findControlAs<QPushButton>(this, kAddButton))
        connect(button, &QPushButton::clicked, this, [this] { addComponent(); });
    if (auto* button = findControlAs<QPushButton>(this, kDeleteButton))
        connect(button, &QPushButton::clicked, this, [this] { deleteSelectedComponents(); });
    if (auto* button = findControlAs<QPushButton>(this, kSaveButton))
        connect(button, &QPushButton::clicked, this, [this] { saveAndClose(); });
    if (auto* button = findControlAs<QPushButton>(this, kCancelButton))
        connect(button, &QPushButton::clicked, this, [this] { reject(); });

    // The file's code page is converted explicitly when it is read and written, so no
    // character-type locale needs setting here.
    guarded(
        [this] {
            const PluginSettings settings = host::readPluginSettings();
            setUpGrid(settings.unitMode, settings.devControl);
            tablePath_ = componentTablePath();
            if (!platform::fileExists(tablePath_))
                platform::messageBoxes().show(this, kNoFileText, kProductCaption, platform::MessageBoxIcon::None,
                                              platform::MessageBoxButtons::Ok);
            if (tablePath_.empty())
                return;
            load();
            if (!fillGrid())
                refillAfterFailure();
        },
        [this] { reportCommandFailure(); });
}

DlgComponents::~DlgComponents()
{
    if (grid_)
        grid_->setListener(nullptr);
}

void DlgComponents::setUpGrid(int32_t unitMode, bool devControl)
{
    // The grid keeps the styles every grid is made with: grid lines, full-row selection and
    // info tips for the names that do not fit their cells.
    if (!grid_)
        return;
    grid_->insertColumnFromResource(ColumnPosition, kTitlePosition, 30);
    grid_->insertColumnFromResource(ColumnName, kTitleName, 110);
    grid_->insertColumnFromResource(ColumnAltName, kTitleAltName, 110);
    grid_->insertColumnFromResource(ColumnTime1, kTitleTime1, 140);
    const bool minutes = unitMode == 1;
    grid_->insertColumnFromResource(ColumnWindow1, minutes ? kTitleWindow1Minutes : kTitleWindow1Percent, 110);
    grid_->insertColumnFromResource(ColumnTime2, kTitleTime2, 140);
    grid_->insertColumnFromResource(ColumnWindow2, minutes ? kTitleWindow2Minutes : kTitleWindow2Percent, 110);
    grid_->insertColumnFromResource(ColumnMainChannel, kTitleMainChannel, 70);
    if (devControl)
        grid_->insertColumnFromResource(ColumnDeviation, kTitleDeviation, 60);
}

void DlgComponents::load()
{
    components_.clear();
    nextNumber_ = 1;
    // A missing file was told already. A file that is there but cannot be read is told with its
    // reason, and the empty table that results may not replace it unless the analyst confirms.
    platform::FileError error;
    if (!ComponentTable::loadFrom(tablePath_, components_, &error)) {
        components_.clear();
        if (error.failed() && error.code != ENOENT) {
            readFailed_ = true;
            platform::messageBoxes().show(this, kReadFailedText + QLatin1Char('\n') + toQString(error.message),
                                          kProductCaption, platform::MessageBoxIcon::Warning,
                                          platform::MessageBoxButtons::Ok);
        }
    }
    if (!components_.empty())
        nextNumber_ = following(components_.back().number);
    dirty_ = false;
}

bool DlgComponents::fillGrid()
{
    if (!grid_)
        return true;
    grid_->deleteAllRows();
    const bool withDeviation = grid_->columnCount() > ColumnDeviation;
    for (std::size_t i = 0; i < components_.size(); ++i) {
        const Component& c = components_[i];
        const int row = grid_->insertRowAt(static_cast<int>(i));
        if (row < 0)
            return false;
        if (controls::GridRowData* record = grid_->rowData(row))
            record->userData = c.number;
        grid_->setCellInt(row, ColumnPosition, row + 1);
        grid_->setCellText(row, ColumnName, toQString(c.name));
        grid_->setCellText(row, ColumnAltName, toQString(c.altName));
        grid_->setCellText(row, ColumnTime1, fractionText(c.time1, 3));
        grid_->setCellText(row, ColumnWindow1, fractionText(c.window1, 2));
        grid_->setCellText(row, ColumnTime2, fractionText(c.time2, 3));
        grid_->setCellText(row, ColumnWindow2, fractionText(c.window2, 2));
        grid_->setCellInt(row, ColumnMainChannel, c.mainChannel);
        if (withDeviation)
            grid_->setCellText(row, ColumnDeviation, fractionText(c.deviation, 2));
    }
    return true;
}

void DlgComponents::refillAfterFailure()
{
    // Rows that still cannot be made stay away; the components behind them are kept and saved.
    fillGrid();
    reportCommandFailure();
}

void DlgComponents::addComponent()
{
    guarded(
        [this] {
            const int32_t number = nextNumber_;
            const bool wasDirty = dirty_;
            Component fresh;
            fresh.number = number;
            fresh.name = u"Новый компонент";
            fresh.altName = std::u16string(1, u'-');  // GCC 12 warns wrongly on a one-unit literal here
            fresh.mainChannel = 1;
            components_.push_back(std::move(fresh));
            nextNumber_ = following(number);
            dirty_ = true;
            if (fillGrid())
                return;
            // The grid could not make the new row: the component goes again, so that the table
            // holds no component the analyst cannot see, and the command counts as not done.
            components_.pop_back();
            nextNumber_ = number;
            dirty_ = wasDirty;
            refillAfterFailure();
        },
        [this] { reportCommandFailure(); });
}

void DlgComponents::deleteSelectedComponents()
{
    guarded(
        [this] {
            if (!grid_)
                return;
            // The rows stand for the components at their positions (the grid is never sorted and
            // is refilled after every change), so the selected positions are exactly the
            // components to remove, whatever numbers they carry.
            std::set<int, std::greater<int>> positions;
            for (const QModelIndex& index : grid_->selectionModel()->selectedRows())
                if (index.row() >= 0 && static_cast<std::size_t>(index.row()) < components_.size())
                    positions.insert(index.row());
            for (int position : positions)
                components_.erase(components_.begin() + position);
            if (!positions.empty())
                dirty_ = true;
            if (!fillGrid())
                refillAfterFailure();
        },
        [this] { reportCommandFailure(); });
}

void DlgComponents::saveAndClose()
{
    bool saved = false;
    guarded(
        [this, &saved] {
            // What is still being typed in a cell belongs to the table being saved.
            if (grid_)
                if (controls::CGridCtrlEditCell* editor = grid_->editor())
                    editor->finish();
            if (readFailed_) {
                if (platform::messageBoxes().show(this, kOverwriteUnreadText, kLeaveCaption,
                                                  platform::MessageBoxIcon::Question,
                                                  platform::MessageBoxButtons::OkCancel) !=
                    platform::MessageBoxAnswer::Ok)
                    return;
                readFailed_ = false;
            }
            ComponentTableSaveError error;
            if (ComponentTable::save(tablePath_, components_, &error)) {
                dirty_ = false;
                saved = true;
                return;
            }
            // The old file is untouched; the dialog stays open so that nothing typed is lost.
            reportSaveFailure(error);
        },
        [this] {
            platform::messageBoxes().show(this, kSaveFailedText, kProductCaption, platform::MessageBoxIcon::Warning,
                                          platform::MessageBoxButtons::Ok);
        });
    if (saved)
        QDialog::accept();
}

void DlgComponents::reportSaveFailure(const ComponentTableSaveError& error)
{
    QString text = kSaveFailedText;
    if (error.kind == ComponentTableSaveError::Kind::Unrepresentable) {
        const QString field = error.inAltName ? QStringLiteral("Альтернативное имя компонента")
                                              : QStringLiteral("Имя компонента");
        text += QLatin1Char('\n') + field + formatted(u" \"%s\" (строка %d)", {error.componentName, error.componentIndex + 1}) +
                QStringLiteral(" содержит символ ") + describeCharacter(error.character) +
                QStringLiteral(", который нельзя записать в файл таблицы: ") + refusalReason(error.character) +
                QLatin1Char('.');
    } else if (error.kind == ComponentTableSaveError::Kind::WriteFailed) {
        const QString reason = writeFailureReason(error);
        if (!reason.isEmpty())
            text += QLatin1Char('\n') + reason;
    }
    platform::messageBoxes().show(this, text, kProductCaption, platform::MessageBoxIcon::Warning,
                                  platform::MessageBoxButtons::Ok);
}

void DlgComponents::reportCommandFailure()
{
    platform::messageBoxes().show(this, kCommandFailedText, kProductCaption, platform::MessageBoxIcon::Warning,
                                  platform::MessageBoxButtons::Ok);
}

void DlgComponents::reject()
{
    bool leave = true;
    guarded(
        [this, &leave] {
            if (dirty_)
                leave = platform::messageBoxes().show(this, kLeaveText, kLeaveCaption, platform::MessageBoxIcon::Question,
                                                      platform::MessageBoxButtons::OkCancel) ==
                        platform::MessageBoxAnswer::Ok;
        },
        // The question could not be asked: the dialog stays open rather than drop the edits.
        [&leave] { leave = false; });
    if (leave)
        QDialog::reject();
}

int DlgComponents::onBeginEdit(const controls::GridNotifyHeader&, int, int column)
{
    return column >= ColumnName ? 1 : 0;
}

int DlgComponents::onCellChanged(const controls::GridNotifyHeader&, int row, int column)
{
    bool taken = true;
    guarded([&] { taken = takeCellText(row, column); }, [this] { reportCommandFailure(); });
    // A refused text is not kept: the grid puts the cell's former text back.
    return taken ? 1 : 0;
}

bool DlgComponents::refuseName(int row, int column, const std::u16string& typed)
{
    // A separator or control character is refused at once: it cannot even be seen in the cell. A
    // character missing from the code page is shown as typed and named when the table is saved.
    const std::optional<char32_t> refused = refusedNameCharacter(typed);
    if (!refused || !isSeparatorOrControl(*refused))
        return false;
    const QString title = grid_->columnTitle(column);
    const QString text = QStringLiteral("Ячейка «") + title + formatted(u"» в строке %d не изменена: символ ", {row + 1}) +
                         describeCharacter(*refused) + QStringLiteral(" нельзя записать в файл таблицы компонентов (") +
                         refusalReason(*refused) + QStringLiteral(").");
    platform::messageBoxes().show(this, text, kProductCaption, platform::MessageBoxIcon::Warning,
                                  platform::MessageBoxButtons::Ok);
    return true;
}

bool DlgComponents::takeCellText(int row, int column)
{
    if (!grid_ || row < 0 || static_cast<std::size_t>(row) >= components_.size())
        return true;
    Component& component = components_[static_cast<std::size_t>(row)];
    const QString text = grid_->cellText(row, column);
    const std::u16string typed = text.toStdU16String();
    if ((column == ColumnName || column == ColumnAltName) && refuseName(row, column, typed))
        return false;
    if (column == ColumnName) {
        component.name = typed;
    } else if (column == ColumnAltName) {
        component.altName = typed;
    } else if (column == ColumnMainChannel) {
        component.mainChannel = platform::parseIntLoose(typed);
    } else if (double* field = fractionalField(component, column);
               field && (column != ColumnDeviation || grid_->columnCount() > ColumnDeviation)) {
        *field = platform::parseDecimalCommaOrPoint(typed);
        grid_->setCellText(row, column, fractionText(*field, decimalsOf(column)));
    }
    dirty_ = true;
    return true;
}

} // namespace ui
