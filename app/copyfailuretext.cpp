#include "copyfailuretext.h"

using platform::CopyFailure;

QString CopyFailureInEnglish(CopyFailure reason) {
  switch (reason) {
    case CopyFailure::SourceMissing:
      return QStringLiteral("no such file");
    case CopyFailure::SourceIsFolder:
      return QStringLiteral("the source is a folder");
    case CopyFailure::SourceNotRegular:
      return QStringLiteral("the source is not a regular file");
    case CopyFailure::SourceUnreadable:
      return QStringLiteral("the source can't be read");
    case CopyFailure::TargetIsFolder:
      return QStringLiteral("the target is a folder");
    case CopyFailure::WriteProtected:
      return QStringLiteral("write-protected");
    case CopyFailure::DiskFull:
      return QStringLiteral("the disk is full");
    case CopyFailure::InUse:
      return QStringLiteral("in use");
    case CopyFailure::WriteError:
      return QStringLiteral("the disk failed to write");
    case CopyFailure::None:
    case CopyFailure::Other:
      break;
  }
  return QString();
}

QString RefusalInEnglish(TRefusal refusal) {
  switch (refusal) {
    case TRefusal::NoBackup:
      return QStringLiteral("the game's file has no backup");
    case TRefusal::TargetUnreadable:
      return QStringLiteral("the game's file can't be read");
    case TRefusal::CannotKeep:
      return QStringLiteral("the game's file can't be kept beside its backup");
    case TRefusal::RecordNotSaved:
      return QStringLiteral("the record of written files can't be saved");
    case TRefusal::WrongKind:
      return QStringLiteral("not a kind of file this music takes");
    case TRefusal::None:
      break;
  }
  return QString();
}
