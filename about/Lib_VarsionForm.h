#pragma once
// The version dialog: the About text filled from the executable's version block, the credits of
// the two scoring algorithms, and a list of web pages that it opens in the browser.

#include "platform/PlatformServices.h"
#include "widgets/WindowPlacement.h"

#include <QDialog>
#include <QPixmap>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace Ui {
class TVarDigForm;
}

namespace rotenu {

class TVarDigForm final : public QDialog {
    Q_OBJECT
public:
    // Hands an address (Shift_JIS) to the browser.
    using WebPageOpener = std::function<void(const std::string& address)>;

    explicit TVarDigForm(const PlatformServices& services, QWidget* parent = nullptr);
    ~TVarDigForm() override;

    // Texts are Shift_JIS byte strings, lines joined by CR LF. Shows the dialog modally and
    // returns when it is closed.
    void ShowVarDig(const std::string& about, const std::string& credits, const std::string& pages);
    void SetAboutText(const std::string& text);
    void SetCreditsText(const std::string& text);
    // A string of the executable's version block by its key, read afresh; "" when missing.
    std::string GetVersionValue(std::string_view key) const;

    // Handlers, named after their control and event.
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void ComboBox1Change();

    // Replaces the way the web button opens an address (by default the registered browser).
    void setWebPageOpener(WebPageOpener opener);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The button glyphs, read when the dialog is first shown rather than at start-up.
    void setGlyphsOnce();

    std::unique_ptr<Ui::TVarDigForm> ui;
    std::string WebPageList;
    // The executable's icon at Image1's size, read at the first showing and shown at every one.
    QPixmap m_icon;
    PlatformServices m_services;
    WebPageOpener m_openWebPage;
    CenterOnFirstShow m_placement;
};

} // namespace rotenu
