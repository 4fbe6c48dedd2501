#include "platform/toolkit/Application.h"

#include <QDir>
#include <QFont>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <cstdio>
#include <new>

#include "platform/conversions/Exception.h"
#include "platform/conversions/MessageText.h"
#include "platform/toolkit/FileDialogs.h"
#include "platform/toolkit/FocusReturn.h"
#include "platform/toolkit/FormAccessible.h"
#include "platform/toolkit/Translations.h"

TApplication* Application = nullptr;

namespace {

char programName[] = "curveplot";

// The window declares the faces "MS Sans Serif" and "Arial", which a desktop
// may lack; these stand in for them, with a CJK face behind each so that the
// Chinese button captions render as glyphs.
void substituteFonts() {
    const QStringList sans = {"Liberation Sans", "DejaVu Sans", "WenQuanYi Micro Hei"};
    QFont::insertSubstitutions("MS Sans Serif", sans);
    QFont::insertSubstitutions("Arial", sans);
}

}  // namespace

TApplication::TApplication() : argv_{programName, nullptr} { Application = this; }

TApplication::~TApplication() {
    forms_.clear();  // windows go before the Qt application object
    focusReturn_.reset();
    nameOnlyFileTypes_.reset();
    qt_.reset();
    Application = nullptr;
}

void TApplication::Initialize() {
    // Qt reads options from the command line; the tool takes none, so it
    // gets only the program name.
    qt_ = std::make_unique<QApplication>(argc_, argv_);
    // Lets a desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName("org.curveplot.curveplot");
    QApplication::setWindowIcon(QIcon::fromTheme("org.curveplot.curveplot"));
    substituteFonts();
    focusReturn_ = std::make_unique<toolkit::FocusReturn>(*qt_);
    nameOnlyFileTypes_ = std::make_unique<toolkit::NameOnlyFileTypes>(*qt_);
    toolkit::InstallFormAccessibility();
    // The system locale takes LANGUAGE, LC_ALL, LC_MESSAGES and LANG into account.
    UseLanguage(QLocale::system());
}

void TApplication::UseLanguage(const QLocale& locale) {
    if (qt_) toolkit::useLanguage(*qt_, locale);
}

QString TApplication::LastSaveFolder() const {
    return lastSaveFolder_.isEmpty() ? QDir::homePath() : lastSaveFolder_;
}

void TApplication::adopt(std::unique_ptr<QWidget> form) { forms_.push_back(std::move(form)); }

void TApplication::Run() {
    if (!qt_ || forms_.empty()) return;
    forms_.front()->show();
    QApplication::exec();
}

namespace {

// The error's message in the user's language: a conversion error is put
// together anew from its parts, its texts translated in the context its class
// marks them in (it has no Qt to translate them itself); other messages were
// written in the user's language already.
std::string messageOf(const std::exception& error) {
    using conversions::EConvertError;
    const auto* conversion = dynamic_cast<const EConvertError*>(&error);
    if (!conversion) return error.what();
    const auto translated = [](const char* text) {
        return QCoreApplication::translate(EConvertError::kTranslationContext, text);
    };
    const QString text = translated(EConvertError::pattern(conversion->reason()))
                             .arg(QString::fromStdString(conversion->quotedText()));
    if (conversion->caption().empty()) return text.toStdString();
    return translated(EConvertError::kCaptioned)
        .arg(QString::fromStdString(conversion->caption()), text)
        .toStdString();
}

}  // namespace

void TApplication::ShowException(const std::exception& error) {
    const std::string message = conversions::shortenedMessage(messageOf(error));
    if (OnException) {
        OnException(message);
    } else if (qt_) {
        QMessageBox::critical(QApplication::activeWindow(), tr("Error"),
                              QString::fromStdString(message));
    } else {
        std::fprintf(stderr, "%s\n", message.c_str());
    }
}

void TApplication::ShowException(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        ShowException(conversions::Exception(tr("Not enough memory").toStdString()));
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(conversions::Exception(tr("Unexpected error").toStdString()));
    }
}
