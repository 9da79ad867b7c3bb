#include "features/EncCommands.h"

#include "features/VoiceEffectTable.h"

namespace audio77 {

EncCommands::EncCommands(DeviceLibrary& library) : library_(library) {}

std::int32_t EncCommands::SetEncOn(std::int32_t on) {
  AudioCommand command = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, on != 0);
  if (const std::int32_t result = library_.SendAudioCommand(command); result == 0) return 0;
  AudioCommand again = AudioCommand::Switch(AudioCommand::kNoiseCancellationGroup, on != 0);
  return library_.SendAudioCommand(again);
}

std::int32_t EncCommands::ReadAll(EncParameters& parameters) {
  AudioCommand command = EncParameters::ReadAllCommand();
  const std::int32_t result = library_.SendAudioCommand(command);
  parameters.TakeReadAll(result, command);
  return result;
}

std::int32_t EncCommands::SendParameters(const EncParameters& parameters) {
  return library_.SetEnc_Parameters(parameters.Bytes());
}

std::int32_t EncCommands::SetVoiceMagicOn(std::int32_t on) {
  AudioCommand command = AudioCommand::Switch(AudioCommand::kVoiceEffectGroup, on != 0);
  return library_.SendAudioCommand(command);
}

std::int32_t EncCommands::SetVoiceEffect(std::int32_t on, int effect) {
  AudioCommand command(AudioCommand::kVoiceEffectGroup, AudioCommand::kVoiceSetSub);
  command.SetPayload(VoiceEffectTable::SetPayload(on != 0 ? 1 : 0, effect));
  return library_.SendAudioCommand(command);
}

}  // namespace audio77
