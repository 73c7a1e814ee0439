// Cases for untranslated.py: each line whose comment ends in "flagged" is reported, no other.
void Cases() {
  dialogs.Message(QStringLiteral("設定を削除します"));  // flagged
  dialogs.Message(tr("設定を削除します"));
  dialogs.Message(QCoreApplication::translate("Configurations", "設定を削除します"));
  const QString name = QStringLiteral("標準");  // notr: a stored name
  dialogs.Message(QStringLiteral("Nothing was found"));  // flagged
  label->setText(QString("Not here").arg(1));  // flagged
  const char *key = "LastConfig";
  const char *id = "MainMenuConfig";
  const char *english = "a phrase nobody is shown";
  static const char *const kScenes[] = {QT_TRANSLATE_NOOP("Scenes", "タイトル"), "ユー"};  // flagged
  /* "コメント" */ const int n = 1'000;
  const char c = '"';
  const QString s = QStringLiteral("ジャングル %1").arg(tr("森"));  // flagged
}
