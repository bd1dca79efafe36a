// One worksheet line: a prompt, an input field and, once the line has been
// evaluated, the picture of its results beneath them.
#pragma once

#include <QImage>
#include <QString>

class QFont;
class QLabel;
class QLineEdit;
class QWidget;

namespace symcalc::gui {

inline constexpr int kPromptWidth = 16;
inline constexpr const char* kPrompt = ">";
// In place of the prompt while the line is being evaluated.
inline constexpr const char* kRunningPrompt = "*";

struct Entry {
  QLabel* prompt = nullptr;
  QLineEdit* input = nullptr;
  QLabel* picture = nullptr;  // absent until the line is first evaluated
};

// Creates the prompt and the input field at height y, `width` wide in all,
// for the line numbered `number` (from 1).
Entry MakeEntry(QWidget* parent, const QFont& font, int y, int width, int lineHeight, int number);

// Creates the picture field at height y; an empty image gives an empty field.
void AddPicture(Entry& entry, QWidget* parent, int y, const QImage& image, int width);

// Height of the picture, 0 when the field shows no image.
int PictureHeight(const Entry& entry);

// Shows `image` (or nothing, when it is null); the field is `width` wide, or
// the image's width if that is more, and exactly as high as the image, in
// logical pixels: the image keeps its device pixel ratio.
void SetPicture(Entry& entry, const QImage& image, int width);

// What assistive technology reads for the picture of line `number`: its
// results in words, one value per line.
void DescribePicture(Entry& entry, int number, const QString& description);

void MoveEntry(Entry& entry, int dy);

void MarkRunning(Entry& entry, bool running);

// The prompt keeps its width; the input field takes the rest of `width`, and a
// picture is padded with white out to `width` (within the pixel budget; the
// field behind it is white as well).
void SetEntryWidth(Entry& entry, int width);

}  // namespace symcalc::gui
