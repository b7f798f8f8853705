// Qt pieces shared by the setup screens and keypads: the panel's texts and
// button pictures as the widgets fetch them, a picture button, a window with
// a caption bar, dialog centring and the keypads' out-of-range message.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "setup/common/screen_text.h"

namespace dryer::setup {

// panel_texts() shall return the lookup of the current language's texts.
TextFn panel_texts();

// qtext() shall return text n of the current language, or fallback when the
// language has no text n.
QString qtext(unsigned n, const char* fallback = "");

// caption_text() shall return text(n), or caption when that is empty.
QString caption_text(const TextFn& text, unsigned n, const char* caption);

// button_picture() shall return localized button picture n, or a null
// pixmap when it cannot be loaded.
QPixmap button_picture(int n);

// A button that shows a picture, or its text when it has no picture, and
// draws itself sunken while pressed.
class PictureButton : public QPushButton {
public:
    PictureButton(const QString& name, int picture, QWidget* parent);
    void setPicture(int picture);
    int picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int picture_ = 0;
    QPixmap pixmap_;
    QPixmap pressed_;
};

// A child window with a caption bar along its top (kCaptionHeight pixels).
class CaptionedWindow : public QWidget {
public:
    static constexpr int kCaptionHeight = 20;
    CaptionedWindow(const char* class_name, const char* caption, QWidget* parent);
    void setCaption(const QString& caption);
    QString caption() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    // paintContent() draws below the caption bar.
    virtual void paintContent(class QPainter&) {}

private:
    QString caption_;
};

// centre_over_parent() shall move the dialog so that it is centred over its
// parent window, with negative coordinates clamped to 0.
void centre_over_parent(QDialog& dialog);

// show_out_of_range() shall show the "WARNING!" / "The value entered is out
// of range." message box over parent and return when it is closed.
void show_out_of_range(QWidget* parent);

inline constexpr const char* kWarningTitle = "WARNING!";
inline constexpr const char* kOutOfRangeText = "The value entered is out of range.";

}  // namespace dryer::setup
