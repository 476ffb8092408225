#include "about/Lib_VarsionForm.h"

#include "ui_Lib_VarsionForm.h"

#include "about/Lib_InternetControl.h"
#include "about/VarDigLayout.h"
#include "about/VersionText.h"
#include "look/EmbeddedImage.h"
#include "look/ExecutableIcon.h"
#include "text/ShiftJis.h"
#include "version/VersionResource.h"
#include "widgets/AccessibleControls.h"
#include "widgets/Application.h"
#include "widgets/FixedHeightItemDelegate.h"

#include <QBitmap>
#include <QShowEvent>

#include <cstdint>
#include <cstdio>

namespace rotenu {
namespace {

// The door that the feeding timer's close button shows too: two square images side by side, the
// normal one and the grey one for the disabled state, olive where they are see-through.
QIcon DoorGlyph() {
    QPixmap pair = QPixmap::fromImage(ReadEmbeddedImage(QStringLiteral(":/rotenu/glyphs/close-door.xpm")));
    QIcon icon;
    const int side = pair.height();
    if (side == 0 || pair.width() < 2 * side)
        return icon;
    pair.setMask(pair.createMaskFromColor(QColor(128, 128, 0), Qt::MaskInColor));
    icon.addPixmap(pair.copy(0, 0, side, side), QIcon::Normal);
    icon.addPixmap(pair.copy(side, 0, side, side), QIcon::Disabled);
    return icon;
}

VarDigSize SizeOf(const QWidget& widget) {
    return {widget.width(), widget.height()};
}
QRect ToQRect(const VarDigRect& r) {
    return {r.left, r.top, r.width, r.height};
}

// The eight hexadecimal digits of a translation entry, language first: "041103A4".
std::string StringTableName(std::string_view entry) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(entry[static_cast<std::size_t>(i)]);
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(value));
    // Code page first as formatted; the halves swap to language, code page.
    const std::string formatted(digits, 8);
    return formatted.substr(4, 4) + formatted.substr(0, 4);
}

} // namespace

TVarDigForm::TVarDigForm(const PlatformServices& services, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TVarDigForm>()), m_services(services) {
    ui->setupUi(this);
    // A tool window with only the close box, not resizable (FormShow fixes its size).
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);

    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);

    QPalette blue = ui->ComboBox1->palette();
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        blue.setColor(role, Qt::blue);
    ui->ComboBox1->setPalette(blue);
    ui->ComboBox1->setItemDelegate(new FixedHeightItemDelegate(12, ui->ComboBox1));
    ReadComboBoxValue(*ui->ComboBox1, QStringLiteral(u"Webページ"));

    connect(ui->BitBtn1, &QPushButton::clicked, this, &TVarDigForm::BitBtn1Click);
    // The registry's errors reach the general error report.
    connect(ui->BitBtn2, &QPushButton::clicked, this, ReportingErrors([this] { BitBtn2Click(); }));
    connect(ui->ComboBox1, &QComboBox::activated, this, &TVarDigForm::ComboBox1Change);

    m_openWebPage = [this](const std::string& address) {
        OpenWebPage(address, *m_services.classesRegistry, *m_services.commandStarter);
    };
}

TVarDigForm::~TVarDigForm() = default;

void TVarDigForm::setWebPageOpener(WebPageOpener opener) {
    m_openWebPage = std::move(opener);
}

void TVarDigForm::ShowVarDig(const std::string& about, const std::string& credits, const std::string& pages) {
    close();
    SetAboutText(about);
    SetCreditsText(credits);
    WebPageList = pages;
    exec();
}

void TVarDigForm::SetAboutText(const std::string& text) {
    ui->Label1->setText(FromShiftJis(text));
}

void TVarDigForm::SetCreditsText(const std::string& text) {
    ui->Label2->setText(FromShiftJis(text));
}

std::string TVarDigForm::GetVersionValue(std::string_view key) const {
    const std::optional<VersionBlock> block = m_services.versionResource->readVersionBlock();
    if (!block)
        return {};
    // Only the first translation entry counts.
    const auto translation = block->queryValue("\\VarFileInfo\\Translation");
    if (!translation || translation->size() < 4)
        return {};
    const std::string path = "\\StringFileInfo\\" + StringTableName(*translation) + "\\" + std::string(key);
    const auto value = block->queryValue(path);
    if (!value || value->empty())
        return {};
    return std::string(value->substr(0, value->find('\0')));
}

void TVarDigForm::setGlyphsOnce() {
    if (!ui->BitBtn1->icon().isNull())
        return;
    ui->BitBtn1->setIcon(DoorGlyph());
    ui->BitBtn2->setIcon(
        QPixmap::fromImage(ReadEmbeddedImage(QStringLiteral(":/rotenu/glyphs/vardig-webpage.png"))));
}

void TVarDigForm::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        setGlyphsOnce();
        FormShow();
    }
    QDialog::showEvent(event);
    m_placement.onShow(*this);
}

void TVarDigForm::FormShow() {
    // Read once: a fresh icon at every showing would leave one more copy in the pixmap cache.
    if (m_icon.isNull())
        m_icon = ExecutableIcon().pixmap(ui->Image1->size());
    if (m_icon.isNull())
        ui->Image1->clear();
    else
        ui->Image1->setPixmap(m_icon);

    const std::string about = ToShiftJis(ui->Label1->text());
    ui->Label1->setText(FromShiftJis(
        ExpandVersionPlaceholders(about, [this](std::string_view key) { return GetVersionValue(key); })));

    VarDigMeasures measures;
    measures.image1 = SizeOf(*ui->Image1);
    measures.label1 = SizeOf(*ui->Label1);
    measures.label2 = SizeOf(*ui->Label2);
    measures.bitBtn1 = SizeOf(*ui->BitBtn1);
    measures.bitBtn2 = SizeOf(*ui->BitBtn2);
    measures.comboBox1Height = ui->ComboBox1->height();
    measures.hasCredits = !ui->Label2->text().isEmpty();
    measures.hasWebPages = !WebPageList.empty();
    const VarDigLayout layout = ComputeVarDigLayout(measures);

    ui->Label1->setGeometry(ToQRect(layout.label1));
    ui->Label2->setGeometry(ToQRect(layout.label2));
    ui->ComboBox1->setGeometry(ToQRect(layout.comboBox1));
    ui->BitBtn1->setGeometry(ToQRect(layout.bitBtn1));
    ui->BitBtn2->setGeometry(ToQRect(layout.bitBtn2));
    ui->BitBtn2->setVisible(layout.bitBtn2Visible);

    ui->ComboBox1->clear();
    if (layout.comboBox1Visible) {
        for (const std::string& line : SplitWebPageList(WebPageList))
            ui->ComboBox1->addItem(FromShiftJis(line), QByteArray::fromStdString(line));
        ui->ComboBox1->setCurrentIndex(0);
        ui->ComboBox1->setToolTip(ui->ComboBox1->currentText());
    }
    ui->ComboBox1->setVisible(layout.comboBox1Visible);

    setFixedSize(layout.clientWidth, layout.clientHeight);
    ui->BitBtn1->setFocus(Qt::OtherFocusReason);
}

void TVarDigForm::BitBtn1Click() {
    close();
}

void TVarDigForm::BitBtn2Click() {
    // The selected line as it was handed over, byte for byte.
    const std::string line = ui->ComboBox1->currentData().toByteArray().toStdString();
    const std::string address = ExtractWebAddress(line);
    if (!address.empty() && m_openWebPage)
        m_openWebPage(address);
}

void TVarDigForm::ComboBox1Change() {
    ui->ComboBox1->setToolTip(ui->ComboBox1->currentText());
}

} // namespace rotenu
