void Cli() {
  Err("no settings yet");  // flagged
  Err(QCoreApplication::translate("Cli", "no settings yet"));
  const QString option = QStringLiteral("dry-run");
  Out(R"(a raw phrase)");  // flagged
}
