#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/ColumnDlg.h"
#include "app/FileTypeDlg.h"
#include "app/FitConditionDlg.h"
#include "app/RangeDlg.h"
#include "tests/app/GuiFixture.h"

namespace {

// The real dialogs behind the host, answered by a script.
class DialogsTest : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    frame->Answers().SetPlatform(&frame->GuiHost());
    // Qt's own file dialog, whatever the platform offers.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  }
  QtHost& Host() { return frame->GuiHost(); }
};

// A step that checks a refusal's message box and closes it.
ModalScript::Step ExpectRefusal(const QString& text) {
  return [text](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    EXPECT_NE(box, nullptr);
    if (box == nullptr) return;
    EXPECT_EQ(box->windowTitle(), QStringLiteral("tav"));
    EXPECT_EQ(box->text(), text);
    box->accept();
  };
}

template <class Dialog>
Dialog* As(QWidget* w) {
  auto* dialog = qobject_cast<Dialog*>(w);
  EXPECT_NE(dialog, nullptr);
  return dialog;
}

// Types a name into a file dialog and presses Enter.
void EnterFileName(QWidget* w, const QString& name) {
  auto* edit = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(edit, nullptr);
  edit->setText(name);
  QTest::keyClick(edit, Qt::Key_Return);
}

TEST_F(DialogsTest, FileTypeStartsWithNoChoiceAndOkGivesNone) {
  FileType type = FileType::Rigaku;
  {
    ModalScript script({[](QWidget* w) {
      auto* dialog = As<CFileTypeDlg>(w);
      EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ﾀﾞｲｱﾛｸﾞ"));
      EXPECT_EQ(dialog->Buttons()->checkedId(), -1);
      EXPECT_EQ(dialog->Buttons()->button(0)->text(), QStringLiteral("X-Y data"));
      EXPECT_EQ(dialog->Buttons()->button(1)->text(), QStringLiteral("Rigaku data"));
      EXPECT_EQ(dialog->CancelButton()->text(), QStringLiteral("ｷｬﾝｾﾙ"));
      dialog->OkButton()->click();
    }});
    EXPECT_TRUE(Host().FileTypeDialog(type));
  }
  EXPECT_EQ(type, FileType::None);
  {
    ModalScript script({[](QWidget* w) {
      auto* dialog = As<CFileTypeDlg>(w);
      dialog->Buttons()->button(0)->click();
      dialog->OkButton()->click();
    }});
    EXPECT_TRUE(Host().FileTypeDialog(type));
  }
  EXPECT_EQ(type, FileType::Xy);
}

TEST_F(DialogsTest, ColumnDialogRefusesOutOfRangeValuesAndStaysOpen) {
  ColumnSettings settings{1, 2, 3, 9999};
  ModalScript script({
      [](QWidget* w) {
        auto* dialog = As<CColumnDlg>(w);
        EXPECT_EQ(dialog->SkipEdit()->text(), QStringLiteral("3"));
        QStringList labels;
        for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
        EXPECT_EQ(labels, (QStringList{"Xデータ：", "Yデータ：", "読み飛ばし：", "最終行："}));
        dialog->LastLineEdit()->setText(QStringLiteral("10000"));
        dialog->OkButton()->click();
      },
      ExpectRefusal(QStringLiteral("1 から 9999 までの整数を入力してください。")),
      [](QWidget* w) {
        auto* dialog = As<CColumnDlg>(w);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), dialog->LastLineEdit());
        dialog->LastLineEdit()->setText(QStringLiteral("50"));
        dialog->SkipEdit()->setText(QStringLiteral("x1"));
        dialog->OkButton()->click();
      },
      ExpectRefusal(QStringLiteral("整数を入力してください。")),
      [](QWidget* w) {
        auto* dialog = As<CColumnDlg>(w);
        dialog->SkipEdit()->setText(QStringLiteral(" 101"));
        dialog->OkButton()->click();
      },
      ExpectRefusal(QStringLiteral("0 から 100 までの整数を入力してください。")),
      [](QWidget* w) {
        auto* dialog = As<CColumnDlg>(w);
        dialog->SkipEdit()->setText(QStringLiteral("1"));
        dialog->OkButton()->click();
      },
  });
  ASSERT_TRUE(Host().ColumnDialog(settings));
  EXPECT_EQ(settings.skipLines, 1);
  EXPECT_EQ(settings.lastLine, 50);
}

TEST_F(DialogsTest, RangeDialogHasOkFocusTakesAnyOrderAndRefusesText) {
  RangeValues range{10.0, 20.0, 0.0, 1000.0};
  ModalScript script({
      [](QWidget* w) {
        auto* dialog = As<CRangeDlg>(w);
        EXPECT_EQ(dialog->focusWidget(), dialog->OkButton());
        EXPECT_EQ(dialog->XminEdit()->text(), QStringLiteral("10"));
        EXPECT_EQ(dialog->YmaxEdit()->text(), QStringLiteral("1000"));
        dialog->XminEdit()->setText(QStringLiteral("abc"));
        dialog->OkButton()->click();
      },
      ExpectRefusal(QStringLiteral("数値を入力してください。")),
      [](QWidget* w) {
        auto* dialog = As<CRangeDlg>(w);
        EXPECT_EQ(dialog->focusWidget(), dialog->XminEdit());
        dialog->XminEdit()->setText(QStringLiteral("30.5"));  // beyond Xmax: taken as typed
        dialog->YminEdit()->setText(QStringLiteral("-1.5e3"));
        dialog->OkButton()->click();
      },
  });
  ASSERT_TRUE(Host().RangeDialog(range));
  EXPECT_EQ(range.xMin, 30.5);
  EXPECT_EQ(range.xMax, 20.0);
  EXPECT_EQ(range.yMin, -1500.0);
  EXPECT_EQ(range.yMax, 1000.0);
}

TEST_F(DialogsTest, RangeDialogCancelKeepsTheValues) {
  RangeValues range{1.0, 2.0, 3.0, 4.0};
  ModalScript script({[](QWidget* w) {
    auto* dialog = As<CRangeDlg>(w);
    dialog->XminEdit()->setText(QStringLiteral("7"));
    dialog->CancelButton()->click();
  }});
  EXPECT_FALSE(Host().RangeDialog(range));
  EXPECT_EQ(range.xMin, 1.0);
}

TEST_F(DialogsTest, FitConditionsValidateTheToleranceAndAllowNoShape) {
  FitConditions conditions{0.001, 1};
  ModalScript script({
      [](QWidget* w) {
        auto* dialog = As<CFitConditionDlg>(w);
        EXPECT_EQ(dialog->ToleranceEdit()->text(), QStringLiteral("0.001"));
        EXPECT_EQ(dialog->Buttons()->checkedId(), 1);
        EXPECT_EQ(dialog->Buttons()->button(0)->text(), QStringLiteral("ガウス関数"));
        EXPECT_EQ(dialog->Buttons()->button(1)->text(), QStringLiteral("ローレンツ関数"));
        dialog->ToleranceEdit()->setText(QStringLiteral("0.000001"));
        dialog->OkButton()->click();
      },
      ExpectRefusal(QStringLiteral("1e-05 から 1 までの数値を入力してください。")),
      [](QWidget* w) {
        auto* dialog = As<CFitConditionDlg>(w);
        dialog->ToleranceEdit()->setText(QStringLiteral("0.00001"));
        dialog->Buttons()->button(0)->click();
        dialog->OkButton()->click();
      },
  });
  ASSERT_TRUE(Host().FitConditionDialog(conditions));
  EXPECT_EQ(conditions.tolerance, 0.00001);
  EXPECT_EQ(conditions.function, 0);

  FitConditions none{0.5, -1};
  ModalScript noShape({[](QWidget* w) {
    auto* dialog = As<CFitConditionDlg>(w);
    EXPECT_EQ(dialog->Buttons()->checkedId(), -1);
    dialog->OkButton()->click();
  }});
  ASSERT_TRUE(Host().FitConditionDialog(none));
  EXPECT_EQ(none.function, -1);
  EXPECT_EQ(none.tolerance, 0.5);
}

TEST_F(DialogsTest, FitConditionsOfferTheMixedShapesAndTheTwoOptions) {
  FitConditions conditions{0.01, kPearson7, true, false};
  ModalScript script({[](QWidget* w) {
    auto* dialog = As<CFitConditionDlg>(w);
    EXPECT_EQ(dialog->Buttons()->checkedId(), kPearson7);
    EXPECT_EQ(dialog->Buttons()->button(kPseudoVoigt)->text(), QStringLiteral("擬フォークト関数"));
    EXPECT_EQ(dialog->Buttons()->button(kPearson7)->text(), QStringLiteral("ピアソンVII関数"));
    EXPECT_EQ(dialog->WidthFromDataBox()->text(), QStringLiteral("初期幅をデータから推定する"));
    EXPECT_TRUE(dialog->WidthFromDataBox()->isChecked());
    EXPECT_FALSE(dialog->DoubletBox()->isChecked());
    EXPECT_EQ(dialog->StepMessagesBox()->text(), QStringLiteral("反復ごとにメッセージを表示する"));
    EXPECT_TRUE(dialog->StepMessagesBox()->isChecked());
    dialog->Buttons()->button(kPseudoVoigt)->click();
    dialog->WidthFromDataBox()->click();
    dialog->DoubletBox()->click();
    dialog->StepMessagesBox()->click();
    dialog->OkButton()->click();
  }});
  ASSERT_TRUE(Host().FitConditionDialog(conditions));
  EXPECT_EQ(conditions.function, kPseudoVoigt);
  EXPECT_FALSE(conditions.widthFromData);
  EXPECT_TRUE(conditions.doublet);
  EXPECT_FALSE(conditions.stepMessages);
}

TEST_F(DialogsTest, FitConditionsShowTheWeightsAndGiveTheOneChosen) {
  FitConditions conditions{0.01, kGaussian, false, false};
  conditions.weights = FitWeights::kCounts;
  ModalScript script({[](QWidget* w) {
    auto* dialog = As<CFitConditionDlg>(w);
    QComboBox* weights = dialog->WeightsBox();
    EXPECT_EQ(weights->count(), 3);
    EXPECT_EQ(weights->currentIndex(), weights->findData(static_cast<int>(FitWeights::kCounts)));
    weights->setCurrentIndex(weights->findData(static_cast<int>(FitWeights::kSigma)));
    dialog->OkButton()->click();
  }});
  ASSERT_TRUE(Host().FitConditionDialog(conditions));
  EXPECT_EQ(conditions.weights, FitWeights::kSigma);
}

TEST_F(DialogsTest, MessageBoxHasTheApplicationCaptionAndIcon) {
  ModalScript script({[](QWidget* w) {
    auto* box = As<QMessageBox>(w);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("tav"));
    EXPECT_EQ(box->text(), QStringLiteral("152.36872"));
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    box->accept();
  }});
  Host().MessageBox("152.36872", MessageIcon::Exclamation);
}

TEST_F(DialogsTest, SaveDialogsListDatFilesAndOfferNoName) {
  LoadSpectrum(View(), {1, 2}, {3, 4});
  View().StateForTests().peaks.m_bFitted = 1;
  for (const int id : {cmd::ID_FILE_SAVE, cmd::ID_FILE_SAVE_AS, cmd::ID_SAVE_RESULT}) {
    ModalScript script({[](QWidget* w) {
      auto* dialog = As<QFileDialog>(w);
      EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
      EXPECT_EQ(dialog->nameFilters(),
                (QStringList{"DAT ファイル (*.dat)", "すべてのファイル (*)"}));
      EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("DAT ファイル (*.dat)"));
      EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("dat"));
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      EXPECT_EQ(name->text(), QString());
      // Enter on the empty name saves nothing.
      QTest::keyClick(name, Qt::Key_Return);
      EXPECT_TRUE(dialog->isVisible());
      dialog->reject();
    }});
    frame->Execute(id);
  }
  EXPECT_TRUE(answers.messages.empty());
  EXPECT_FALSE(QFile::exists(QStringLiteral("*.dat")));
}

TEST_F(DialogsTest, SaveDialogRefusesAPatternTypedAsTheNameAndAsksAgain) {
  LoadSpectrum(View(), {1, 2}, {3, 4});
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString pattern = dir.filePath(QStringLiteral("*.dat"));
  ModalScript script({
      [&](QWidget* w) { EnterFileName(w, pattern); },
      ExpectRefusal(QStringLiteral("ファイルを保存できません: ") + pattern +
                    QStringLiteral(" (ファイル名にワイルドカード文字 (*, ?, [) があります)")),
      [&](QWidget* w) {
        EXPECT_TRUE(As<QFileDialog>(w)->isVisible());
        EnterFileName(w, dir.filePath(QStringLiteral("profile")));
      },
  });
  frame->Execute(cmd::ID_FILE_SAVE_AS);
  // The default suffix completes the name.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"profile.dat"});
}

TEST_F(DialogsTest, OpenDialogListsAllFilesAndOffersNoName) {
  frame->Answers().fileType = FileType::Rigaku;
  ModalScript script({[](QWidget* w) {
    auto* dialog = As<QFileDialog>(w);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    // Every file is listed, as before; each format the program reads has a
    // filter of its own after it.
    const QStringList filters = dialog->nameFilters();
    ASSERT_FALSE(filters.isEmpty());
    EXPECT_EQ(filters.first(), QStringLiteral("すべてのファイル (*)"));
    EXPECT_EQ(dialog->selectedNameFilter(), filters.first());
    for (const char* pattern : {"*.asc", "*.ras", "*.rasx", "*.xrdml", "*.brml", "*.xy", "*.xye"}) {
      EXPECT_FALSE(filters.filter(QString::fromUtf8(pattern)).isEmpty()) << pattern;
    }
    EXPECT_EQ(dialog->defaultSuffix(), QString());
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QString());
    dialog->reject();
  }});
  frame->Execute(cmd::ID_FILE_OPEN);
  EXPECT_EQ(doc.m_nData, 0);
  EXPECT_TRUE(answers.messages.empty());
}

}  // namespace

// The classic dialog keeps its narrow fields and labels; the modern view's
// shows whole numbers and labels them alike.
TEST_F(DialogsTest, RangeDialogIsWiderOnlyInTheModernView) {
  const RangeValues range{30.004755634512345, 33.5, 0.0, 1000.0};
  const auto fits = [](QLineEdit* edit) {
    return edit->fontMetrics().horizontalAdvance(edit->text()) < edit->contentsRect().width();
  };
  const auto labels = [](QDialog* dialog) {
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
    texts.sort();
    return texts.join(QLatin1Char(' '));
  };
  CRangeDlg classic(range, frame.get());
  classic.show();
  EXPECT_FALSE(fits(classic.XminEdit()));
  EXPECT_EQ(labels(&classic), QStringLiteral("Xmax= Xmin= Ymax= Ymin"));
  CRangeDlg modern(range, frame.get(), true);
  modern.show();
  EXPECT_TRUE(fits(modern.XminEdit()));
  EXPECT_EQ(labels(&modern), QStringLiteral("Xmax= Xmin= Ymax= Ymin="));
  EXPECT_GT(modern.width(), classic.width());
}
