#pragma once

// The splash window TForm3, shown while the main window is being built.

#include <QWidget>
#include <filesystem>

class QLabel;

namespace tf {

class Prompts;

class TForm3 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 322;
    static constexpr int kDesignHeight = 185;

    TForm3(const std::filesystem::path& exeFolder, Prompts& prompts, QWidget* parent = nullptr);

    // Shows the window and paints it before returning.
    void showAndPaint();

    QLabel* Image1;
    QLabel* Label1;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate(const std::filesystem::path& exeFolder);
    void PlaceLabel();

    Prompts& m_prompts;
};

} // namespace tf
