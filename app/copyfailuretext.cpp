#include "copyfailuretext.h"

#include <QCoreApplication>

using platform::CopyFailure;

QString CopyFailureReason(CopyFailure reason) {
  switch (reason) {
    case CopyFailure::SourceMissing:
      return QCoreApplication::translate("CliCopy", "no such file");
    case CopyFailure::SourceIsFolder:
      return QCoreApplication::translate("CliCopy", "the source is a folder");
    case CopyFailure::SourceNotRegular:
      return QCoreApplication::translate("CliCopy", "the source is not a regular file");
    case CopyFailure::SourceUnreadable:
      return QCoreApplication::translate("CliCopy", "the source can't be read");
    case CopyFailure::TargetIsFolder:
      return QCoreApplication::translate("CliCopy", "the target is a folder");
    case CopyFailure::WriteProtected:
      return QCoreApplication::translate("CliCopy", "write-protected");
    case CopyFailure::DiskFull:
      return QCoreApplication::translate("CliCopy", "the disk is full");
    case CopyFailure::InUse:
      return QCoreApplication::translate("CliCopy", "in use");
    case CopyFailure::WriteError:
      return QCoreApplication::translate("CliCopy", "the disk failed to write");
    case CopyFailure::None:
    case CopyFailure::Other:
      break;
  }
  return QString();
}

QString RefusalReason(TRefusal refusal) {
  switch (refusal) {
    case TRefusal::NoBackup:
      return QCoreApplication::translate("CliCopy", "the game's file has no backup");
    case TRefusal::TargetUnreadable:
      return QCoreApplication::translate("CliCopy", "the game's file can't be read");
    case TRefusal::CannotKeep:
      return QCoreApplication::translate("CliCopy", "the game's file can't be kept beside its backup");
    case TRefusal::RecordNotSaved:
      return QCoreApplication::translate("CliCopy", "the record of written files can't be saved");
    case TRefusal::WrongKind:
      return QCoreApplication::translate("CliCopy", "not a kind of file this music takes");
    case TRefusal::None:
      break;
  }
  return QString();
}
