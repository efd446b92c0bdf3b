#include "setup/SetupSettingsControls.h"

#include "launch/Settings.h"
#include "setup/GestureSetupWindow.h"
#include "launch/SettingsInput.h"

#include <QCheckBox>
#include <QLineEdit>

namespace scriblo {

SetupSettingsControls::SetupSettingsControls(GestureSetupWindow& window, Change change)
    : m_window(window)
    , m_change(std::move(change))
{
}

void SetupSettingsControls::connectFields(QObject* context)
{
    QObject::connect(m_window.minimumRecognitionScoreField, &QLineEdit::editingFinished, context,
                     [this] { minimumRecognitionScoreChanged(); });
    QObject::connect(m_window.readingDelayTimeField, &QLineEdit::editingFinished, context,
                     [this] { readingDelayTimeChanged(); });
    auto saveOnClick = [this, context](QCheckBox* box, void (Settings::*save)(bool)) {
        QObject::connect(box, &QCheckBox::clicked, context, [this, box, save] {
            bool on = box->isChecked();
            m_change([on, save](Settings& settings) { (settings.*save)(on); });
        });
    };
    saveOnClick(m_window.multitouchOptionField, &Settings::saveMultitouchOption);
    saveOnClick(m_window.fullscreenOptionField, &Settings::saveFullscreenOption);
    saveOnClick(m_window.quickdrawOptionField, &Settings::saveQuickdrawOption);
    QObject::connect(m_window.loginStartOptionField, &QCheckBox::clicked, context,
                     [this] { loginStartOptionChanged(); });
}

void SetupSettingsControls::writeToFields(const Settings& settings)
{
    m_window.minimumRecognitionScoreField->setText(QString::number(settings.minimumRecognitionScore()));
    m_window.readingDelayTimeField->setText(QString::number(settings.readingDelayTime()));
    m_window.multitouchOptionField->setChecked(settings.multitouchOption());
    m_window.fullscreenOptionField->setChecked(settings.fullscreenOption());
    m_window.loginStartOptionField->setChecked(settings.loginStartOption());
    m_window.quickdrawOptionField->setChecked(settings.quickdrawOption());
}

void SetupSettingsControls::minimumRecognitionScoreChanged()
{
    std::string text = m_window.minimumRecognitionScoreField->text().toStdString();
    m_change([&text](Settings& settings) {
        if (auto score = SettingsInput::acceptedMinimumRecognitionScore(text))
            settings.saveMinimumRecognitionScore(*score);
    });
}

void SetupSettingsControls::readingDelayTimeChanged()
{
    std::string text = m_window.readingDelayTimeField->text().toStdString();
    m_change([&text](Settings& settings) {
        if (auto delay = SettingsInput::acceptedReadingDelayTime(text))
            settings.saveReadingDelayTime(*delay);
    });
}

void SetupSettingsControls::loginStartOptionChanged()
{
    bool on = m_window.loginStartOptionField->isChecked();
    m_change([on](Settings& settings) {
        settings.saveLoginStartOption(on);
        // The box shows whether the login list really holds Scriblo now.
        settings.readLoginStartOption();
    });
}

}
