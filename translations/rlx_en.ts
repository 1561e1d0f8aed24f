<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AdresArrayFake</name>
    <message>
        <source>Remote Device Address  </source>
        <translation>Remote Device Address  </translation>
    </message>
</context>
<context>
    <name>CalibrationSteps</name>
    <message>
        <source>Set point %1 mkA taken by the device.</source>
        <translation>Set point %1 mkA taken by the device.</translation>
    </message>
    <message>
        <source>The device did not accept the set point %1 mkA ($a).</source>
        <translation>The device did not accept the set point %1 mkA ($a).</translation>
    </message>
    <message>
        <source>Measured %2 mkA for the set point %1 mkA stored in the device.</source>
        <translation>Measured %2 mkA for the set point %1 mkA stored in the device.</translation>
    </message>
    <message>
        <source>The device did not accept the measured %2 mkA for the set point %1 mkA ($b).</source>
        <translation>The device did not accept the measured %2 mkA for the set point %1 mkA ($b).</translation>
    </message>
    <message>
        <source>Calibration mode off.</source>
        <translation>Calibration mode off.</translation>
    </message>
    <message>
        <source>The device did not confirm leaving calibration mode: no answer to $c.</source>
        <translation>The device did not confirm leaving calibration mode: no answer to $c.</translation>
    </message>
    <message>
        <source>Calibration mode on: the output drives its 20 mA check current.</source>
        <translation>Calibration mode on: the output drives its 20 mA check current.</translation>
    </message>
    <message>
        <source>The device did not enter calibration mode: no answer to $d.</source>
        <translation>The device did not enter calibration mode: no answer to $d.</translation>
    </message>
</context>
<context>
    <name>CheckCommands</name>
    <message>
        <source>mV</source>
        <translation>mV</translation>
    </message>
    <message>
        <source>mkA</source>
        <translation>mkA</translation>
    </message>
    <message>
        <source>Radio stability check: the remote addresses are polled in turn, one poll a second, and counted per address (polls, answered, share, longest run of misses).</source>
        <translation>Radio stability check: the remote addresses are polled in turn, one poll a second, and counted per address (polls, answered, share, longest run of misses).</translation>
    </message>
    <message>
        <source>Remote addresses, e.g. 1,3,5 (0 to 64).</source>
        <translation>Remote addresses, e.g. 1,3,5 (0 to 64).</translation>
    </message>
    <message>
        <source>list</source>
        <translation>list</translation>
    </message>
    <message>
        <source>Poll every address N times (default 10).</source>
        <translation>Poll every address N times (default 10).</translation>
    </message>
    <message>
        <source>Poll for S seconds instead.</source>
        <translation>Poll for S seconds instead.</translation>
    </message>
    <message>
        <source>Also write the table as CSV.</source>
        <translation>Also write the table as CSV.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Exit 1 when an address answered a smaller share of its polls (0 to 1, e.g. 0.9).</source>
        <translation>Exit 1 when an address answered a smaller share of its polls (0 to 1, e.g. 0.9).</translation>
    </message>
    <message>
        <source>share</source>
        <translation>share</translation>
    </message>
    <message>
        <source>test takes no arguments</source>
        <translation>test takes no arguments</translation>
    </message>
    <message>
        <source>--addresses is missing</source>
        <translation>--addresses is missing</translation>
    </message>
    <message>
        <source>--rounds and --duration exclude each other</source>
        <translation>--rounds and --duration exclude each other</translation>
    </message>
    <message>
        <source>--rounds takes a number from 1 to %1</source>
        <translation>--rounds takes a number from 1 to %1</translation>
    </message>
    <message>
        <source>--duration takes seconds from 1 to %1 (a week)</source>
        <translation>--duration takes seconds from 1 to %1 (a week)</translation>
    </message>
    <message>
        <source>--min-share takes a share from 0 to 1</source>
        <translation>--min-share takes a share from 0 to 1</translation>
    </message>
    <message>
        <source>address</source>
        <translation>address</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>sent</translation>
    </message>
    <message>
        <source>answered</source>
        <translation>answered</translation>
    </message>
    <message>
        <source>longest miss run</source>
        <translation>longest miss run</translation>
    </message>
    <message>
        <source>rlx-cli: address %1 answered %2 of %3 polls, less than %4</source>
        <translation>rlx-cli: address %1 answered %2 of %3 polls, less than %4</translation>
    </message>
    <message>
        <source>The input values of a transmitter, asked for once a second: the two analog values (microamperes or millivolts) and the two discrete states.</source>
        <translation>The input values of a transmitter, asked for once a second: the two analog values (microamperes or millivolts) and the two discrete states.</translation>
    </message>
    <message>
        <source>How many times (default 10).</source>
        <translation>How many times (default 10).</translation>
    </message>
    <message>
        <source>Also write the values as CSV.</source>
        <translation>Also write the values as CSV.</translation>
    </message>
    <message>
        <source>measure takes no arguments</source>
        <translation>measure takes no arguments</translation>
    </message>
    <message>
        <source>--count takes a number from 1 to %1</source>
        <translation>--count takes a number from 1 to %1</translation>
    </message>
    <message>
        <source>High</source>
        <translation>High</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Low</translation>
    </message>
    <message>
        <source>%1 s  in1 %2 %3  in2 %4 %5  d1 %6  d2 %7</source>
        <translation>%1 s  in1 %2 %3  in2 %4 %5  d1 %6  d2 %7</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>Configures RLX Vela radio I/O devices over serial ports, without a window.

Commands:
  ports       the serial ports, as the configurator lists them
  identify    hardware, firmware and firmware variant of the devices
  read        read every setting
  write       write a settings file (.rlx or .json) and check the read-back
  defaults    restore the factory settings
  test        radio stability check of remote addresses
  measure     the input values of a transmitter, once a second
  report      commissioning report (PDF or HTML)
  convert     settings file to JSON and back
  diff        a settings file against the devices, nothing written
  get         single settings of the devices
  set         change single settings: read, change, write, verify
  backup      one settings file per device in a folder

&apos;rlx-cli COMMAND --help&apos; describes a command. Several --port options (or a
glob such as &apos;/dev/ttyUSB*&apos;) serve the devices side by side.

Exit codes: 0 done; 1 a device did not answer or refused; 2 usage error;
3 the read-back differs from what was written; 4 a file could not be read
or written.</source>
        <translation>Configures RLX Vela radio I/O devices over serial ports, without a window.

Commands:
  ports       the serial ports, as the configurator lists them
  identify    hardware, firmware and firmware variant of the devices
  read        read every setting
  write       write a settings file (.rlx or .json) and check the read-back
  defaults    restore the factory settings
  test        radio stability check of remote addresses
  measure     the input values of a transmitter, once a second
  report      commissioning report (PDF or HTML)
  convert     settings file to JSON and back
  diff        a settings file against the devices, nothing written
  get         single settings of the devices
  set         change single settings: read, change, write, verify
  backup      one settings file per device in a folder

&apos;rlx-cli COMMAND --help&apos; describes a command. Several --port options (or a
glob such as &apos;/dev/ttyUSB*&apos;) serve the devices side by side.

Exit codes: 0 done; 1 a device did not answer or refused; 2 usage error;
3 the read-back differs from what was written; 4 a file could not be read
or written.</translation>
    </message>
    <message>
        <source>rlx-cli: standard output: %1
</source>
        <translation>rlx-cli: standard output: %1
</translation>
    </message>
    <message>
        <source>Serial port (a path, a glob or a port list entry); repeatable.</source>
        <translation>Serial port (a path, a glob or a port list entry); repeatable.</translation>
    </message>
    <message>
        <source>port</source>
        <translation>port</translation>
    </message>
    <message>
        <source>rlx-cli: %1 (see rlx-cli --help)</source>
        <translation>rlx-cli: %1 (see rlx-cli --help)</translation>
    </message>
    <message>
        <source>rlx or json: the kind of settings where no suffix tells (&quot;-&quot; is standard input or output, JSON unless rlx is given).</source>
        <translation>rlx or json: the kind of settings where no suffix tells (&quot;-&quot; is standard input or output, JSON unless rlx is given).</translation>
    </message>
    <message>
        <source>kind</source>
        <translation>kind</translation>
    </message>
    <message>
        <source>--format takes rlx or json, not &quot;%1&quot;</source>
        <translation>--format takes rlx or json, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1: settings are a .rlx or a .json file (or give --format)</source>
        <translation>%1: settings are a .rlx or a .json file (or give --format)</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>%1 setting(s) out of range; nothing was sent</source>
        <translation>%1 setting(s) out of range; nothing was sent</translation>
    </message>
    <message>
        <source>command</source>
        <translation>command</translation>
    </message>
    <message>
        <source>The command to run.</source>
        <translation>The command to run.</translation>
    </message>
    <message>
        <source>COMMAND [options]</source>
        <translation>COMMAND [options]</translation>
    </message>
    <message>
        <source>Write the engine&apos;s debug log (requests, answers, time-outs) to standard error; before the command.</source>
        <translation>Write the engine&apos;s debug log (requests, answers, time-outs) to standard error; before the command.</translation>
    </message>
    <message>
        <source>The language of the texts for this run: en, ru, system (the system&apos;s language) or default (the program&apos;s own texts); without it, the language chosen in the configurator&apos;s window. Before the command.</source>
        <translation>The language of the texts for this run: en, ru, system (the system&apos;s language) or default (the program&apos;s own texts); without it, the language chosen in the configurator&apos;s window. Before the command.</translation>
    </message>
    <message>
        <source>language</source>
        <translation>language</translation>
    </message>
    <message>
        <source>--lang takes %1, not &quot;%2&quot;</source>
        <translation>--lang takes %1, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>unknown command &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no port matches %1</source>
        <translation>no port matches %1</translation>
    </message>
    <message>
        <source>bad address &quot;%1&quot; (0 to 64, comma-separated)</source>
        <translation>bad address &quot;%1&quot; (0 to 64, comma-separated)</translation>
    </message>
    <message>
        <source>--port is missing</source>
        <translation>--port is missing</translation>
    </message>
    <message>
        <source>this command takes one port</source>
        <translation>this command takes one port</translation>
    </message>
    <message>
        <source>rlx-cli: interrupted: ending after the request on the line (interrupt again to leave at once)</source>
        <translation>rlx-cli: interrupted: ending after the request on the line (interrupt again to leave at once)</translation>
    </message>
    <message>
        <source>%1: %2 (%3): written %4, device holds %5</source>
        <translation>%1: %2 (%3): written %4, device holds %5</translation>
    </message>
    <message>
        <source>%1: not read back by this device, not verified: %2</source>
        <translation>%1: not read back by this device, not verified: %2</translation>
    </message>
</context>
<context>
    <name>CommissioningReport</name>
    <message>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>Commissioning report</source>
        <translation>Commissioning report</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Firmware variant</source>
        <translation>Firmware variant</translation>
    </message>
    <message>
        <source>Configurator</source>
        <translation>Configurator</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Site</translation>
    </message>
    <message>
        <source>Technician</source>
        <translation>Technician</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>not read</translation>
    </message>
    <message>
        <source>the device&apos;s reply was missing or damaged</source>
        <translation>the device&apos;s reply was missing or damaged</translation>
    </message>
    <message>
        <source>not reported by this device</source>
        <translation>not reported by this device</translation>
    </message>
    <message>
        <source>from the identification</source>
        <translation>from the identification</translation>
    </message>
    <message>
        <source>Radio stability check</source>
        <translation>Radio stability check</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Polls sent</source>
        <translation>Polls sent</translation>
    </message>
    <message>
        <source>Answered</source>
        <translation>Answered</translation>
    </message>
    <message>
        <source>Share answered</source>
        <translation>Share answered</translation>
    </message>
    <message>
        <source>Longest run of misses</source>
        <translation>Longest run of misses</translation>
    </message>
    <message>
        <source>&lt;b&gt;The check was cut short&lt;/b&gt; before every planned poll was made; the figures cover the polls made.</source>
        <translation>&lt;b&gt;The check was cut short&lt;/b&gt; before every planned poll was made; the figures cover the polls made.</translation>
    </message>
    <message>
        <source>%1: a report is written as PDF or HTML; give a file name ending in .pdf or .html</source>
        <translation>%1: a report is written as PDF or HTML; give a file name ending in .pdf or .html</translation>
    </message>
    <message>
        <source>%1: a PDF report needs the graphical toolkit, which was not started</source>
        <translation>%1: a PDF report needs the graphical toolkit, which was not started</translation>
    </message>
    <message>
        <source>%1: the PDF could not be made</source>
        <translation>%1: the PDF could not be made</translation>
    </message>
</context>
<context>
    <name>DeviceCommands</name>
    <message>
        <source>The serial ports present, as the configurator lists them, running virtual devices included.</source>
        <translation>The serial ports present, as the configurator lists them, running virtual devices included.</translation>
    </message>
    <message>
        <source>As JSON: name, port to open, virtual.</source>
        <translation>As JSON: name, port to open, virtual.</translation>
    </message>
    <message>
        <source>ports takes no arguments</source>
        <translation>ports takes no arguments</translation>
    </message>
    <message>
        <source>Asks each device who it is: hardware, firmware and firmware variant.</source>
        <translation>Asks each device who it is: hardware, firmware and firmware variant.</translation>
    </message>
    <message>
        <source>As JSON, one object per port.</source>
        <translation>As JSON, one object per port.</translation>
    </message>
    <message>
        <source>identify takes no arguments</source>
        <translation>identify takes no arguments</translation>
    </message>
    <message>
        <source>Reads every setting of each device (the sequence of the configurator&apos;s READ).</source>
        <translation>Reads every setting of each device (the sequence of the configurator&apos;s READ).</translation>
    </message>
    <message>
        <source>As JSON: one object per port (an array for several ports) with port, hardware, firmware, variant, ok, settings and unanswered.</source>
        <translation>As JSON: one object per port (an array for several ports) with port, hardware, firmware, variant, ok, settings and unanswered.</translation>
    </message>
    <message>
        <source>Also save the settings to a file: .rlx (the configurator&apos;s settings file) or .json. One port only.</source>
        <translation>Also save the settings to a file: .rlx (the configurator&apos;s settings file) or .json. One port only.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>read takes no arguments</source>
        <translation>read takes no arguments</translation>
    </message>
    <message>
        <source>-o takes one port</source>
        <translation>-o takes one port</translation>
    </message>
    <message>
        <source>rlx-cli: %1 not written: the read is incomplete</source>
        <translation>rlx-cli: %1 not written: the read is incomplete</translation>
    </message>
    <message>
        <source>Writes a settings file (.rlx or .json) to each device with the sequence of the configurator&apos;s WRITE, reads it back and compares field by field; every difference is printed.</source>
        <translation>Writes a settings file (.rlx or .json) to each device with the sequence of the configurator&apos;s WRITE, reads it back and compares field by field; every difference is printed.</translation>
    </message>
    <message>
        <source>Do not compare the read-back.</source>
        <translation>Do not compare the read-back.</translation>
    </message>
    <message>
        <source>Write a file read from another model of device (a JSON file of &apos;rlx-cli read&apos; names the hardware it came from).</source>
        <translation>Write a file read from another model of device (a JSON file of &apos;rlx-cli read&apos; names the hardware it came from).</translation>
    </message>
    <message>
        <source>The settings: FILE.rlx, FILE.json or - for standard input.</source>
        <translation>The settings: FILE.rlx, FILE.json or - for standard input.</translation>
    </message>
    <message>
        <source>write takes one settings file</source>
        <translation>write takes one settings file</translation>
    </message>
    <message>
        <source>Restores the factory settings of each device with the sequence of the configurator&apos;s DEFAULT: the radio module&apos;s serial rate is searched (about half a minute), then the settings are written and read back.</source>
        <translation>Restores the factory settings of each device with the sequence of the configurator&apos;s DEFAULT: the radio module&apos;s serial rate is searched (about half a minute), then the settings are written and read back.</translation>
    </message>
    <message>
        <source>defaults takes no arguments</source>
        <translation>defaults takes no arguments</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Commissioning report of a device: identity and settings, and with --test the radio stability check of the given addresses.</source>
        <translation>Commissioning report of a device: identity and settings, and with --test the radio stability check of the given addresses.</translation>
    </message>
    <message>
        <source>The report: FILE.pdf or FILE.html.</source>
        <translation>The report: FILE.pdf or FILE.html.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Remote addresses to check, e.g. 1,3.</source>
        <translation>Remote addresses to check, e.g. 1,3.</translation>
    </message>
    <message>
        <source>list</source>
        <translation>list</translation>
    </message>
    <message>
        <source>Polls per address (default 10).</source>
        <translation>Polls per address (default 10).</translation>
    </message>
    <message>
        <source>Where the device is installed.</source>
        <translation>Where the device is installed.</translation>
    </message>
    <message>
        <source>text</source>
        <translation>text</translation>
    </message>
    <message>
        <source>Who commissioned it.</source>
        <translation>Who commissioned it.</translation>
    </message>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>A remark for the report.</source>
        <translation>A remark for the report.</translation>
    </message>
    <message>
        <source>report takes no arguments</source>
        <translation>report takes no arguments</translation>
    </message>
    <message>
        <source>-o FILE.pdf or FILE.html is missing</source>
        <translation>-o FILE.pdf or FILE.html is missing</translation>
    </message>
    <message>
        <source>the report is a .pdf or an .html file</source>
        <translation>the report is a .pdf or an .html file</translation>
    </message>
    <message>
        <source>--rounds goes with --test</source>
        <translation>--rounds goes with --test</translation>
    </message>
    <message>
        <source>--rounds takes a number from 1 to %1</source>
        <translation>--rounds takes a number from 1 to %1</translation>
    </message>
    <message>
        <source>Converts a settings file of the configurator (.rlx) to readable JSON (.json) and back; the way back gives the same bytes. JSON with unknown, missing or out-of-range fields, and settings no device may be given, are refused.</source>
        <translation>Converts a settings file of the configurator (.rlx) to readable JSON (.json) and back; the way back gives the same bytes. JSON with unknown, missing or out-of-range fields, and settings no device may be given, are refused.</translation>
    </message>
    <message>
        <source>from</source>
        <translation>from</translation>
    </message>
    <message>
        <source>FILE.rlx, FILE.json or - (standard input)</source>
        <translation>FILE.rlx, FILE.json or - (standard input)</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>FILE.json, FILE.rlx or - (standard output)</source>
        <translation>FILE.json, FILE.rlx or - (standard output)</translation>
    </message>
    <message>
        <source>convert takes two files</source>
        <translation>convert takes two files</translation>
    </message>
</context>
<context>
    <name>FleetCommands</name>
    <message>
        <source>no setting &quot;%1&quot; (the names of &apos;rlx-cli read&apos;)</source>
        <translation>no setting &quot;%1&quot; (the names of &apos;rlx-cli read&apos;)</translation>
    </message>
    <message>
        <source>Compares a settings file (.rlx or .json) with what each device holds, setting by setting; nothing is written. Exit 3 when they differ.</source>
        <translation>Compares a settings file (.rlx or .json) with what each device holds, setting by setting; nothing is written. Exit 3 when they differ.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>file</translation>
    </message>
    <message>
        <source>The settings: FILE.rlx, FILE.json or - (standard input).</source>
        <translation>The settings: FILE.rlx, FILE.json or - (standard input).</translation>
    </message>
    <message>
        <source>diff takes one settings file</source>
        <translation>diff takes one settings file</translation>
    </message>
    <message>
        <source>%1: %2 (%3): file %4, device %5</source>
        <translation>%1: %2 (%3): file %4, device %5</translation>
    </message>
    <message>
        <source>not read</source>
        <translation>not read</translation>
    </message>
    <message>
        <source>Prints the named settings (the names of &apos;rlx-cli read&apos;) as each device holds them.</source>
        <translation>Prints the named settings (the names of &apos;rlx-cli read&apos;) as each device holds them.</translation>
    </message>
    <message>
        <source>key</source>
        <translation>key</translation>
    </message>
    <message>
        <source>A setting&apos;s name.</source>
        <translation>A setting&apos;s name.</translation>
    </message>
    <message>
        <source>KEY...</source>
        <translation>KEY...</translation>
    </message>
    <message>
        <source>get takes the names of settings</source>
        <translation>get takes the names of settings</translation>
    </message>
    <message>
        <source>Changes single settings: each device is read, the named settings are changed, the whole record is written and read back to verify it. A device whose read is incomplete is left as it was.</source>
        <translation>Changes single settings: each device is read, the named settings are changed, the whole record is written and read back to verify it. A device whose read is incomplete is left as it was.</translation>
    </message>
    <message>
        <source>setting</source>
        <translation>setting</translation>
    </message>
    <message>
        <source>KEY=VALUE, for example power=5.</source>
        <translation>KEY=VALUE, for example power=5.</translation>
    </message>
    <message>
        <source>KEY=VALUE...</source>
        <translation>KEY=VALUE...</translation>
    </message>
    <message>
        <source>set takes KEY=VALUE pairs</source>
        <translation>set takes KEY=VALUE pairs</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not KEY=VALUE</source>
        <translation>&quot;%1&quot; is not KEY=VALUE</translation>
    </message>
    <message>
        <source>%1 is not a setting of the device</source>
        <translation>%1 is not a setting of the device</translation>
    </message>
    <message>
        <source>%1 takes %2, not &quot;%3&quot;</source>
        <translation>%1 takes %2, not &quot;%3&quot;</translation>
    </message>
    <message>
        <source>rlx-cli: %1: %2 (%3): %4; nothing was written</source>
        <translation>rlx-cli: %1: %2 (%3): %4; nothing was written</translation>
    </message>
    <message>
        <source>Reads each device and saves its settings to a file of its own in a folder, named by hardware, port and date (JSON that &apos;rlx-cli write&apos; takes, with the hardware it was read from). A device whose read is incomplete gets no file.</source>
        <translation>Reads each device and saves its settings to a file of its own in a folder, named by hardware, port and date (JSON that &apos;rlx-cli write&apos; takes, with the hardware it was read from). A device whose read is incomplete gets no file.</translation>
    </message>
    <message>
        <source>The folder for the files.</source>
        <translation>The folder for the files.</translation>
    </message>
    <message>
        <source>folder</source>
        <translation>folder</translation>
    </message>
    <message>
        <source>backup takes no arguments</source>
        <translation>backup takes no arguments</translation>
    </message>
    <message>
        <source>--dir is missing</source>
        <translation>--dir is missing</translation>
    </message>
    <message>
        <source>not a folder</source>
        <translation>not a folder</translation>
    </message>
</context>
<context>
    <name>InputFile</name>
    <message>
        <source>a folder</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>a FIFO</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>a device</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>a special file</source>
        <translation>a special file</translation>
    </message>
    <message>
        <source>Not a regular file but %1</source>
        <translation>Not a regular file but %1</translation>
    </message>
    <message>
        <source>Too large: more than %1 bytes</source>
        <translation>Too large: more than %1 bytes</translation>
    </message>
</context>
<context>
    <name>Interruption</name>
    <message>
        <source>rlx-cli: interrupted again: leaving now
</source>
        <translation>rlx-cli: interrupted again: leaving now
</translation>
    </message>
</context>
<context>
    <name>Kalibr</name>
    <message>
        <source>Check current (the flowing out current must be 20mA)</source>
        <translation>Check current (the flowing out current must be 20mA)</translation>
    </message>
    <message>
        <source>Exit calibration mode</source>
        <translation>Exit calibration mode</translation>
    </message>
    <message>
        <source>Set current</source>
        <translation>Set current</translation>
    </message>
    <message>
        <source>Еnter value</source>
        <translation>Enter value</translation>
    </message>
    <message>
        <source>Write actual current value</source>
        <translation>Write actual current value</translation>
    </message>
    <message>
        <source>mkA</source>
        <translation>mkA</translation>
    </message>
    <message>
        <source>Current set point, mkA</source>
        <translation>Current set point, mkA</translation>
    </message>
</context>
<context>
    <name>LaunchCheck</name>
    <message>
        <source>Usage: rlx-configurator [toolkit options]
Configures RLX Vela 868 MHz radio I/O devices over a serial port, in a window.

Options:
  -h, --help           show this help and exit
  -v, --version        show the version and exit
  --lang LANG          the language of the window: en, ru, system (the system&apos;s
                       language) or default (the window&apos;s own texts); kept for
                       the next start
  -platform NAME       the toolkit&apos;s window system (xcb, wayland, offscreen, ...)

Needs a display (DISPLAY or WAYLAND_DISPLAY). Without a window: rlx-cli.
Debug output on standard error: categories rlx.protocol, rlx.window and
rlx.trace (off unless QT_LOGGING_RULES=&quot;rlx.trace.debug=true&quot;).
</source>
        <translation>Usage: rlx-configurator [toolkit options]
Configures RLX Vela 868 MHz radio I/O devices over a serial port, in a window.

Options:
  -h, --help           show this help and exit
  -v, --version        show the version and exit
  --lang LANG          the language of the window: en, ru, system (the system&apos;s
                       language) or default (the window&apos;s own texts); kept for
                       the next start
  -platform NAME       the toolkit&apos;s window system (xcb, wayland, offscreen, ...)

Needs a display (DISPLAY or WAYLAND_DISPLAY). Without a window: rlx-cli.
Debug output on standard error: categories rlx.protocol, rlx.window and
rlx.trace (off unless QT_LOGGING_RULES=&quot;rlx.trace.debug=true&quot;).
</translation>
    </message>
    <message>
        <source>rlx-configurator: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); rlx-cli works without one
</source>
        <translation>rlx-configurator: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); rlx-cli works without one
</translation>
    </message>
    <message>
        <source>rlx-configurator: --lang needs a language: %1
</source>
        <translation>rlx-configurator: --lang needs a language: %1
</translation>
    </message>
    <message>
        <source>rlx-configurator: unknown language &quot;%1&quot; for --lang; known: %2
</source>
        <translation>rlx-configurator: unknown language &quot;%1&quot; for --lang; known: %2
</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>RLX Vela Конфигуратор v.%1</source>
        <translation>RLX Vela Configurator v.%1</translation>
    </message>
    <message>
        <source>Stability check running; STOP ends it.</source>
        <translation>Stability check running; STOP ends it.</translation>
    </message>
    <message>
        <source>Writing…</source>
        <translation>Writing…</translation>
    </message>
    <message>
        <source>Reading…</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <source>Restoring the factory settings…</source>
        <translation>Restoring the factory settings…</translation>
    </message>
    <message>
        <source>Connecting to %1…</source>
        <translation>Connecting to %1…</translation>
    </message>
    <message>
        <source>Disconnected from %1.</source>
        <translation>Disconnected from %1.</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Connection failed</translation>
    </message>
    <message>
        <source>The connection through %1 was lost; the port was closed.</source>
        <translation>The connection through %1 was lost; the port was closed.</translation>
    </message>
    <message>
        <source>Connection lost</source>
        <translation>Connection lost</translation>
    </message>
    <message>
        <source>RLX Vela Конфигуратор v.%1  Hardware: %2  Firmware: v.%3</source>
        <translation>RLX Vela Configurator v.%1  Hardware: %2  Firmware: v.%3</translation>
    </message>
    <message>
        <source>Убедитесь в актуальности FirmWare</source>
        <translation>Make sure the firmware is up to date</translation>
    </message>
    <message>
        <source>Ошибка выполнения команды. Продолжить?</source>
        <translation>The command failed. Continue?</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>WRITE: nothing was sent, because these settings cannot go to a device: %1.</source>
        <translation>WRITE: nothing was sent, because these settings cannot go to a device: %1.</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Save Settings</translation>
    </message>
    <message>
        <source>%1 %2 became %3</source>
        <translation>%1 %2 became %3</translation>
    </message>
    <message>
        <source> Values the editors cannot show were changed: %1.</source>
        <translation> Values the editors cannot show were changed: %1.</translation>
    </message>
    <message>
        <source> Set these in their editors before WRITE: %1.</source>
        <translation> Set these in their editors before WRITE: %1.</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Open Settings</translation>
    </message>
</context>
<context>
    <name>Measure</name>
    <message>
        <source>Measurement mode</source>
        <translation>Measurement mode</translation>
    </message>
    <message>
        <source>Asks the device for its input values once a second until pressed again; red when answers stop.</source>
        <translation>Asks the device for its input values once a second until pressed again; red when answers stop.</translation>
    </message>
    <message>
        <source>Arithmetic mean</source>
        <translation>Arithmetic mean</translation>
    </message>
    <message>
        <source>Median</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>Simple moving average</source>
        <translation>Simple moving average</translation>
    </message>
    <message>
        <source>Latest value of input %1; greyed while the device does not answer.</source>
        <translation>Latest value of input %1; greyed while the device does not answer.</translation>
    </message>
    <message>
        <source>Discrete state of input %1: High once its value reaches the threshold.</source>
        <translation>Discrete state of input %1: High once its value reaches the threshold.</translation>
    </message>
    <message>
        <source>Averaging type</source>
        <translation>Averaging type</translation>
    </message>
    <message>
        <source>Averaging interval</source>
        <translation>Averaging interval</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>Transition from low to high</source>
        <translation>Transition from low to high</translation>
    </message>
    <message>
        <source>In A%1</source>
        <translation>In A%1</translation>
    </message>
    <message>
        <source>mA</source>
        <translation>mA</translation>
    </message>
    <message>
        <source>mkA</source>
        <translation>mkA</translation>
    </message>
    <message>
        <source>In D%1</source>
        <translation>In D%1</translation>
    </message>
    <message>
        <source>V</source>
        <translation>V</translation>
    </message>
    <message>
        <source>mV</source>
        <translation>mV</translation>
    </message>
    <message>
        <source> High</source>
        <translation> High</translation>
    </message>
    <message>
        <source> Low</source>
        <translation> Low</translation>
    </message>
    <message>
        <source>Stop measurement</source>
        <translation>Stop measurement</translation>
    </message>
    <message>
        <source>%1 state</source>
        <translation>%1 state</translation>
    </message>
</context>
<context>
    <name>OutcomeLine</name>
    <message>
        <source>Device not identified</source>
        <translation>Device not identified</translation>
    </message>
    <message>
        <source>The device on %1 did not answer the identity request ($2).

Its model and firmware are unknown, so its settings were read in a layout that may not be its own and may be shown wrongly. WRITE and DEFAULT send nothing to it until a connection identifies the device: check the device and connect again.</source>
        <translation>The device on %1 did not answer the identity request ($2).

Its model and firmware are unknown, so its settings were read in a layout that may not be its own and may be shown wrongly. WRITE and DEFAULT send nothing to it until a connection identifies the device: check the device and connect again.</translation>
    </message>
    <message>
        <source>%1: nothing was sent, because the device on %2 has not identified itself; connect again once it answers the identity request ($2).</source>
        <translation>%1: nothing was sent, because the device on %2 has not identified itself; connect again once it answers the identity request ($2).</translation>
    </message>
    <message>
        <source>Calibration: nothing was sent, because the port is closed; connect the device first.</source>
        <translation>Calibration: nothing was sent, because the port is closed; connect the device first.</translation>
    </message>
    <message>
        <source>Calibrating…</source>
        <translation>Calibrating…</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>Not a regular file but %1; it was left as it was</source>
        <translation>Not a regular file but %1; it was left as it was</translation>
    </message>
    <message>
        <source>The file could not be written</source>
        <translation>The file could not be written</translation>
    </message>
</context>
<context>
    <name>PortJob</name>
    <message>
        <source> (identity)</source>
        <translation> (identity)</translation>
    </message>
    <message>
        <source> (configuration write)</source>
        <translation> (configuration write)</translation>
    </message>
    <message>
        <source> (configuration read)</source>
        <translation> (configuration read)</translation>
    </message>
    <message>
        <source> (command mode)</source>
        <translation> (command mode)</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nothing</translation>
    </message>
    <message>
        <source>cannot open the port: %1</source>
        <translation>cannot open the port: %1</translation>
    </message>
    <message>
        <source>read</source>
        <translation>read</translation>
    </message>
    <message>
        <source>connect</source>
        <translation>connect</translation>
    </message>
    <message>
        <source>confirm</source>
        <translation>confirm</translation>
    </message>
    <message>
        <source>write</source>
        <translation>write</translation>
    </message>
    <message>
        <source>defaults</source>
        <translation>defaults</translation>
    </message>
    <message>
        <source>test</source>
        <translation>test</translation>
    </message>
    <message>
        <source>measure</source>
        <translation>measure</translation>
    </message>
    <message>
        <source>the identity replies looked damaged</source>
        <translation>the identity replies looked damaged</translation>
    </message>
    <message>
        <source>the identity reply looks damaged (firmware &quot;%1&quot;, hardware &quot;%2&quot;)</source>
        <translation>the identity reply looks damaged (firmware &quot;%1&quot;, hardware &quot;%2&quot;)</translation>
    </message>
    <message>
        <source>no answer to &quot;%1&quot; (identity); asked again</source>
        <translation>no answer to &quot;%1&quot; (identity); asked again</translation>
    </message>
    <message>
        <source>no answer to &quot;%1&quot; (identity)</source>
        <translation>no answer to &quot;%1&quot; (identity)</translation>
    </message>
    <message>
        <source>no answer to &quot;%1&quot;%2</source>
        <translation>no answer to &quot;%1&quot;%2</translation>
    </message>
    <message>
        <source>the port was lost (device unplugged?)</source>
        <translation>the port was lost (device unplugged?)</translation>
    </message>
    <message>
        <source>identify</source>
        <translation>identify</translation>
    </message>
    <message>
        <source>%1 interrupted: written: %2; not written: %3</source>
        <translation>%1 interrupted: written: %2; not written: %3</translation>
    </message>
    <message>
        <source>%1 interrupted before anything was written</source>
        <translation>%1 interrupted before anything was written</translation>
    </message>
    <message>
        <source>%1 interrupted after %2 poll(s)</source>
        <translation>%1 interrupted after %2 poll(s)</translation>
    </message>
    <message>
        <source>%1 interrupted after %2 of %3 measurement(s)</source>
        <translation>%1 interrupted after %2 of %3 measurement(s)</translation>
    </message>
    <message>
        <source>%1 interrupted</source>
        <translation>%1 interrupted</translation>
    </message>
    <message>
        <source>the radio module did not answer &quot;ATO&quot; and may still be in command mode</source>
        <translation>the radio module did not answer &quot;ATO&quot; and may still be in command mode</translation>
    </message>
    <message>
        <source>the device may be left at another serial rate; running defaults again restores it</source>
        <translation>the device may be left at another serial rate; running defaults again restores it</translation>
    </message>
    <message>
        <source>the settings were read from %1, this device is %2; nothing was written (--force writes them anyway)</source>
        <translation>the settings were read from %1, this device is %2; nothing was written (--force writes them anyway)</translation>
    </message>
    <message>
        <source>FAILED, %1</source>
        <translation>FAILED, %1</translation>
    </message>
    <message>
        <source>FAILED, interrupted before the device identified itself</source>
        <translation>FAILED, interrupted before the device identified itself</translation>
    </message>
    <message>
        <source>%1, firmware %2 (variant %3)</source>
        <translation>%1, firmware %2 (variant %3)</translation>
    </message>
    <message>
        <source>, identity not confirmed (the replies disagreed or looked damaged)</source>
        <translation>, identity not confirmed (the replies disagreed or looked damaged)</translation>
    </message>
    <message>
        <source>, interrupted</source>
        <translation>, interrupted</translation>
    </message>
    <message>
        <source>, %1 request(s) unanswered</source>
        <translation>, %1 request(s) unanswered</translation>
    </message>
    <message>
        <source>, read %1 times to confirm</source>
        <translation>, read %1 times to confirm</translation>
    </message>
    <message>
        <source>, not read: %1</source>
        <translation>, not read: %1</translation>
    </message>
    <message>
        <source>, stability check cut short after %1 poll(s)</source>
        <translation>, stability check cut short after %1 poll(s)</translation>
    </message>
    <message>
        <source>, %1 setting(s) differ</source>
        <translation>, %1 setting(s) differ</translation>
    </message>
    <message>
        <source>, verified</source>
        <translation>, verified</translation>
    </message>
    <message>
        <source>: FAILED</source>
        <translation>: FAILED</translation>
    </message>
    <message>
        <source>: ok</source>
        <translation>: ok</translation>
    </message>
</context>
<context>
    <name>PortLock</name>
    <message>
        <source>process %1</source>
        <translation>process %1</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 on %2</translation>
    </message>
</context>
<context>
    <name>PortProblem</name>
    <message>
        <source>No serial port is chosen. Plug in the adapter and choose its port in the list.</source>
        <translation>No serial port is chosen. Plug in the adapter and choose its port in the list.</translation>
    </message>
    <message>
        <source>The port %1 was not found. Check that the adapter is plugged in and choose its port in the list.</source>
        <translation>The port %1 was not found. Check that the adapter is plugged in and choose its port in the list.</translation>
    </message>
    <message>
        <source>%1 is not a serial port. Choose the port of the adapter in the list.</source>
        <translation>%1 is not a serial port. Choose the port of the adapter in the list.</translation>
    </message>
    <message>
        <source>You have no permission to use the port %1. On Linux, add your user to the %2 group (sudo usermod -aG %2 $USER), then log out and in again.</source>
        <translation>You have no permission to use the port %1. On Linux, add your user to the %2 group (sudo usermod -aG %2 $USER), then log out and in again.</translation>
    </message>
    <message>
        <source>The port %1 is in use by %2. Close that program and connect again.</source>
        <translation>The port %1 is in use by %2. Close that program and connect again.</translation>
    </message>
    <message>
        <source>The port %1 is in use by another program. Close that program and connect again.</source>
        <translation>The port %1 is in use by another program. Close that program and connect again.</translation>
    </message>
    <message>
        <source>The port %1 could not be opened: %2</source>
        <translation>The port %1 could not be opened: %2</translation>
    </message>
    <message>
        <source>The connection through the port %1 was lost: the adapter was unplugged or the device stopped answering.
Check the cable, the adapter and the power of the device, choose the port in the list and connect again.</source>
        <translation>The connection through the port %1 was lost: the adapter was unplugged or the device stopped answering.
Check the cable, the adapter and the power of the device, choose the port in the list and connect again.</translation>
    </message>
</context>
<context>
    <name>ProgressLine</name>
    <message>
        <source>%1 ports</source>
        <translation>%1 ports</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Displays help on commandline options.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Displays help including Qt specific options.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Displays version information.</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Usage: %1</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Arguments:</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[options]</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>Unknown option &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>Unknown options: %1.</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>Missing value after &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>Unexpected value after &apos;%1&apos;.</translation>
    </message>
</context>
<context>
    <name>ReqPeriod</name>
    <message>
        <source>Requests period</source>
        <translation>Requests period</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>sec</translation>
    </message>
</context>
<context>
    <name>RunOutcome</name>
    <message>
        <source>%1 of %2 requests answered</source>
        <translation>%1 of %2 requests answered</translation>
    </message>
    <message>
        <source>; unanswered: %1</source>
        <translation>; unanswered: %1</translation>
    </message>
    <message>
        <source>stopped at your answer after %1, %2 requests not sent</source>
        <translation>stopped at your answer after %1, %2 requests not sent</translation>
    </message>
    <message>
        <source>No device answered on %1: %2.</source>
        <translation>No device answered on %1: %2.</translation>
    </message>
    <message>
        <source>The device on %1 did not identify itself: %2; WRITE and DEFAULT send nothing until a connection identifies it.</source>
        <translation>The device on %1 did not identify itself: %2; WRITE and DEFAULT send nothing until a connection identifies it.</translation>
    </message>
    <message>
        <source>Identified %1, firmware %2, on %3: %4.</source>
        <translation>Identified %1, firmware %2, on %3: %4.</translation>
    </message>
    <message>
        <source>Read: %1.</source>
        <translation>Read: %1.</translation>
    </message>
    <message>
        <source>; not read, as the device&apos;s replies for them were damaged or incomplete: %1</source>
        <translation>; not read, as the device&apos;s replies for them were damaged or incomplete: %1</translation>
    </message>
    <message>
        <source>the radio module answered ATR at no serial rate, so its own factory values were not restored</source>
        <translation>the radio module answered ATR at no serial rate, so its own factory values were not restored</translation>
    </message>
    <message>
        <source>the device did not accept %1</source>
        <translation>the device did not accept %1</translation>
    </message>
    <message>
        <source>%1: wrote %2, device holds %3</source>
        <translation>%1: wrote %2, device holds %3</translation>
    </message>
    <message>
        <source>unanswered: %1</source>
        <translation>unanswered: %1</translation>
    </message>
    <message>
        <source>not read back, so not verified: %1</source>
        <translation>not read back, so not verified: %1</translation>
    </message>
    <message>
        <source>Written and verified</source>
        <translation>Written and verified</translation>
    </message>
    <message>
        <source>Factory settings written and verified</source>
        <translation>Factory settings written and verified</translation>
    </message>
    <message>
        <source>Not written as intended: %1</source>
        <translation>Not written as intended: %1</translation>
    </message>
    <message>
        <source>Factory settings not restored as intended: %1</source>
        <translation>Factory settings not restored as intended: %1</translation>
    </message>
    <message>
        <source>; the device does not report back: %1</source>
        <translation>; the device does not report back: %1</translation>
    </message>
</context>
<context>
    <name>SettingsFields</name>
    <message>
        <source>Delay Tx-Rx</source>
        <translation>Delay Tx-Rx</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Radio Data Rate</source>
        <translation>Radio Data Rate</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>Stop bit</source>
        <translation>Stop bit</translation>
    </message>
    <message>
        <source>Sub-band</source>
        <translation>Sub-band</translation>
    </message>
    <message>
        <source>Serial Timeout</source>
        <translation>Serial Timeout</translation>
    </message>
    <message>
        <source>Radio Transmit Reset</source>
        <translation>Radio Transmit Reset</translation>
    </message>
    <message>
        <source>Serial Data Rate</source>
        <translation>Serial Data Rate</translation>
    </message>
    <message>
        <source>WDT Reset</source>
        <translation>WDT Reset</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Averaging 1</source>
        <translation>Averaging 1</translation>
    </message>
    <message>
        <source>Averaging 2</source>
        <translation>Averaging 2</translation>
    </message>
    <message>
        <source>Transition from low to high 1</source>
        <translation>Transition from low to high 1</translation>
    </message>
    <message>
        <source>Transition from low to high 2</source>
        <translation>Transition from low to high 2</translation>
    </message>
    <message>
        <source>Spare</source>
        <translation>Spare</translation>
    </message>
    <message>
        <source>Flow control</source>
        <translation>Flow control</translation>
    </message>
    <message>
        <source>Output kind</source>
        <translation>Output kind</translation>
    </message>
    <message>
        <source>Delay Rx-Tx</source>
        <translation>Delay Rx-Tx</translation>
    </message>
    <message>
        <source>Requests period</source>
        <translation>Requests period</translation>
    </message>
    <message>
        <source>Num of down</source>
        <translation>Num of down</translation>
    </message>
    <message>
        <source>Radio Module Reset</source>
        <translation>Radio Module Reset</translation>
    </message>
    <message>
        <source>Addresses</source>
        <translation>Addresses</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address list (up to 16 hexadecimal digits)</source>
        <translation>&quot;%1&quot; is not an address list (up to 16 hexadecimal digits)</translation>
    </message>
    <message>
        <source>%1 is not %2</source>
        <translation>%1 is not %2</translation>
    </message>
    <message>
        <source>a valid averaging: kind %1 is not 0 to 2</source>
        <translation>a valid averaging: kind %1 is not 0 to 2</translation>
    </message>
    <message>
        <source>a valid averaging: interval %1 is not %2 to %3</source>
        <translation>a valid averaging: interval %1 is not %2 to %3</translation>
    </message>
    <message>
        <source>valid: the non-responses in bits 3..0 (%1) are not %2 to %3</source>
        <translation>valid: the non-responses in bits 3..0 (%1) are not %2 to %3</translation>
    </message>
    <message>
        <source>one of %1</source>
        <translation>one of %1</translation>
    </message>
    <message>
        <source>a channel at radio data rate %1 (0 to %2)</source>
        <translation>a channel at radio data rate %1 (0 to %2)</translation>
    </message>
    <message>
        <source>%1 to %2 at serial data rate %3</source>
        <translation>%1 to %2 at serial data rate %3</translation>
    </message>
    <message>
        <source>an address list</source>
        <translation>an address list</translation>
    </message>
    <message>
        <source>kind 0 to 2 with an interval of %1 to %2</source>
        <translation>kind 0 to 2 with an interval of %1 to %2</translation>
    </message>
    <message>
        <source>%1 to %2 non-responses, with any output options</source>
        <translation>%1 to %2 non-responses, with any output options</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>1200 baud</source>
        <translation>1200 baud</translation>
    </message>
    <message>
        <source>2400 baud</source>
        <translation>2400 baud</translation>
    </message>
    <message>
        <source>4800 baud</source>
        <translation>4800 baud</translation>
    </message>
    <message>
        <source>9600 baud</source>
        <translation>9600 baud</translation>
    </message>
    <message>
        <source>19200 baud</source>
        <translation>19200 baud</translation>
    </message>
    <message>
        <source>38400 baud</source>
        <translation>38400 baud</translation>
    </message>
    <message>
        <source>57600 baud</source>
        <translation>57600 baud</translation>
    </message>
    <message>
        <source>115200 baud</source>
        <translation>115200 baud</translation>
    </message>
    <message>
        <source>4800 bps</source>
        <translation>4800 bps</translation>
    </message>
    <message>
        <source>9600 bps</source>
        <translation>9600 bps</translation>
    </message>
    <message>
        <source>19200 bps</source>
        <translation>19200 bps</translation>
    </message>
    <message>
        <source>38400 bps</source>
        <translation>38400 bps</translation>
    </message>
    <message>
        <source>115200 bps</source>
        <translation>115200 bps</translation>
    </message>
    <message>
        <source>-8 dBm</source>
        <translation>-8 dBm</translation>
    </message>
    <message>
        <source>-5 dBm</source>
        <translation>-5 dBm</translation>
    </message>
    <message>
        <source>-2 dBm</source>
        <translation>-2 dBm</translation>
    </message>
    <message>
        <source>+1 dBm</source>
        <translation>+1 dBm</translation>
    </message>
    <message>
        <source>+4 dBm</source>
        <translation>+4 dBm</translation>
    </message>
    <message>
        <source>+7 dBm</source>
        <translation>+7 dBm</translation>
    </message>
    <message>
        <source>+10 dBm</source>
        <translation>+10 dBm</translation>
    </message>
    <message>
        <source>+14 dBm</source>
        <translation>+14 dBm</translation>
    </message>
    <message>
        <source>g1 868-868.6 MHz</source>
        <translation>g1 868-868.6 MHz</translation>
    </message>
    <message>
        <source>g2 868.7-869.2 MHz</source>
        <translation>g2 868.7-869.2 MHz</translation>
    </message>
    <message>
        <source>g3 869.4-869.65 MHz</source>
        <translation>g3 869.4-869.65 MHz</translation>
    </message>
    <message>
        <source>g4 869.7-870 MHz</source>
        <translation>g4 869.7-870 MHz</translation>
    </message>
    <message>
        <source>8-bit data, parity none</source>
        <translation>8-bit data, parity none</translation>
    </message>
    <message>
        <source>8-bit data, parity even</source>
        <translation>8-bit data, parity even</translation>
    </message>
    <message>
        <source>8-bit data, parity odd</source>
        <translation>8-bit data, parity odd</translation>
    </message>
    <message>
        <source>9-bit data, parity none</source>
        <translation>9-bit data, parity none</translation>
    </message>
    <message>
        <source>1 stop bit</source>
        <translation>1 stop bit</translation>
    </message>
    <message>
        <source>2 stop bits</source>
        <translation>2 stop bits</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>hardware (RTS/CTS)</source>
        <translation>hardware (RTS/CTS)</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>arithmetic mean</source>
        <translation>arithmetic mean</translation>
    </message>
    <message>
        <source>median</source>
        <translation>median</translation>
    </message>
    <message>
        <source>simple moving average</source>
        <translation>simple moving average</translation>
    </message>
    <message>
        <source>kind %1</source>
        <translation>kind %1</translation>
    </message>
    <message>
        <source>%1 over %2 s</source>
        <translation>%1 over %2 s</translation>
    </message>
    <message>
        <source>link lost after %1 non-responses</source>
        <translation>link lost after %1 non-responses</translation>
    </message>
    <message>
        <source>output 1 inverted</source>
        <translation>output 1 inverted</translation>
    </message>
    <message>
        <source>output 2 inverted</source>
        <translation>output 2 inverted</translation>
    </message>
    <message>
        <source>output 1 zero/high on link loss</source>
        <translation>output 1 zero/high on link loss</translation>
    </message>
    <message>
        <source>output 2 high on link loss</source>
        <translation>output 2 high on link loss</translation>
    </message>
    <message>
        <source>x100 µs</source>
        <translation>x100 µs</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>x100 ms</source>
        <translation>x100 ms</translation>
    </message>
    <message>
        <source>x10 s</source>
        <translation>x10 s</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
</context>
<context>
    <name>SettingsFile</name>
    <message>
        <source>The file is damaged or incomplete.</source>
        <translation>The file is damaged or incomplete.</translation>
    </message>
    <message>
        <source>This is not a regular file of its own.</source>
        <translation>This is not a regular file of its own.</translation>
    </message>
    <message>
        <source>The bytes read back differ from the bytes written.</source>
        <translation>The bytes read back differ from the bytes written.</translation>
    </message>
    <message>
        <source>The bytes read back could not be read.</source>
        <translation>The bytes read back could not be read.</translation>
    </message>
</context>
<context>
    <name>SettingsFileDialogs</name>
    <message>
        <source>Save Settings</source>
        <translation>Save Settings</translation>
    </message>
    <message>
        <source>Rlx Files (*.rlx)</source>
        <translation>Rlx Files (*.rlx)</translation>
    </message>
    <message>
        <source>Save Settings cancelled; nothing was saved.</source>
        <translation>Save Settings cancelled; nothing was saved.</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1.</source>
        <translation>The settings could not be saved to %1.</translation>
    </message>
    <message>
        <source>The settings could not be saved to
%1

%2</source>
        <translation>The settings could not be saved to
%1

%2</translation>
    </message>
    <message>
        <source>Settings saved to %1.</source>
        <translation>Settings saved to %1.</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Open Settings</translation>
    </message>
    <message>
        <source>Open Settings cancelled; nothing was changed.</source>
        <translation>Open Settings cancelled; nothing was changed.</translation>
    </message>
    <message>
        <source>The settings could not be read from %1; nothing was changed.</source>
        <translation>The settings could not be read from %1; nothing was changed.</translation>
    </message>
    <message>
        <source>The settings could not be read from
%1

%2
Nothing was changed.</source>
        <translation>The settings could not be read from
%1

%2
Nothing was changed.</translation>
    </message>
    <message>
        <source>Settings opened from %1; WRITE gives them to the device.</source>
        <translation>Settings opened from %1; WRITE gives them to the device.</translation>
    </message>
</context>
<context>
    <name>SettingsJson</name>
    <message>
        <source>unknown field &quot;%1&quot;</source>
        <translation>unknown field &quot;%1&quot;</translation>
    </message>
    <message>
        <source>field &quot;%1&quot; is missing</source>
        <translation>field &quot;%1&quot; is missing</translation>
    </message>
    <message>
        <source>field &quot;%1&quot; must be a string or null</source>
        <translation>field &quot;%1&quot; must be a string or null</translation>
    </message>
    <message>
        <source>field &quot;%1&quot; must be a whole number from 0 to 255, not %2</source>
        <translation>field &quot;%1&quot; must be a whole number from 0 to 255, not %2</translation>
    </message>
    <message>
        <source>not a settings file: damaged, incomplete or too large</source>
        <translation>not a settings file: damaged, incomplete or too large</translation>
    </message>
    <message>
        <source>too large for a settings record</source>
        <translation>too large for a settings record</translation>
    </message>
    <message>
        <source>not JSON: %1 at offset %2</source>
        <translation>not JSON: %1 at offset %2</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>not a JSON object</translation>
    </message>
</context>
<context>
    <name>ToolTips</name>
    <message>
        <source>Serial port the device is plugged into.</source>
        <translation>Serial port the device is plugged into.</translation>
    </message>
    <message>
        <source>Opens the port, identifies the device and reads its settings; pressed again, closes the port.</source>
        <translation>Opens the port, identifies the device and reads its settings; pressed again, closes the port.</translation>
    </message>
    <message>
        <source>Loads settings from a .rlx file into the editors, without talking to the device.</source>
        <translation>Loads settings from a .rlx file into the editors, without talking to the device.</translation>
    </message>
    <message>
        <source>Saves the settings shown in the editors to a .rlx file.</source>
        <translation>Saves the settings shown in the editors to a .rlx file.</translation>
    </message>
    <message>
        <source>Reads every setting from the device into the editors.</source>
        <translation>Reads every setting from the device into the editors.</translation>
    </message>
    <message>
        <source>Writes the settings shown to the device and reads them back.</source>
        <translation>Writes the settings shown to the device and reads them back.</translation>
    </message>
    <message>
        <source>Restores the factory settings of the radio module and the controller.</source>
        <translation>Restores the factory settings of the radio module and the controller.</translation>
    </message>
    <message>
        <source>Shows or hides the reset timers that restart a frozen device.</source>
        <translation>Shows or hides the reset timers that restart a frozen device.</translation>
    </message>
    <message>
        <source>Radio channel within the sub-band (module register S200).</source>
        <translation>Radio channel within the sub-band (module register S200).</translation>
    </message>
    <message>
        <source>Transmit power of the radio module, -8 to +14 dBm (register S202).</source>
        <translation>Transmit power of the radio module, -8 to +14 dBm (register S202).</translation>
    </message>
    <message>
        <source>The device&apos;s own radio address: 1 to 64 on a transmitter, fixed 255 on the others (register S252).</source>
        <translation>The device&apos;s own radio address: 1 to 64 on a transmitter, fixed 255 on the others (register S252).</translation>
    </message>
    <message>
        <source>Hardware flow control on the radio module&apos;s serial link (register S216).</source>
        <translation>Hardware flow control on the radio module&apos;s serial link (register S216).</translation>
    </message>
    <message>
        <source>Pause on the serial line after which the radio module sends what it has received (register S214).</source>
        <translation>Pause on the serial line after which the radio module sends what it has received (register S214).</translation>
    </message>
    <message>
        <source>Type of the device&apos;s radio module.</source>
        <translation>Type of the device&apos;s radio module.</translation>
    </message>
    <message>
        <source>Firmware version of the radio module.</source>
        <translation>Firmware version of the radio module.</translation>
    </message>
    <message>
        <source>Data bits and parity of the RS-485 line.</source>
        <translation>Data bits and parity of the RS-485 line.</translation>
    </message>
    <message>
        <source>Stop bits of the RS-485 line.</source>
        <translation>Stop bits of the RS-485 line.</translation>
    </message>
    <message>
        <source>Wait after sending on RS-485 before listening, in steps of 100 µs.</source>
        <translation>Wait after sending on RS-485 before listening, in steps of 100 µs.</translation>
    </message>
    <message>
        <source>Wait after receiving on RS-485 before sending, in steps of 100 µs.</source>
        <translation>Wait after receiving on RS-485 before sending, in steps of 100 µs.</translation>
    </message>
    <message>
        <source>Resets the radio transmitter when it has not sent for this long, in steps of 100 ms.</source>
        <translation>Resets the radio transmitter when it has not sent for this long, in steps of 100 ms.</translation>
    </message>
    <message>
        <source>Restarts the controller by its watchdog when it stops working for this many seconds.</source>
        <translation>Restarts the controller by its watchdog when it stops working for this many seconds.</translation>
    </message>
    <message>
        <source>Restarts the radio module when it stops answering for this many seconds.</source>
        <translation>Restarts the radio module when it stops answering for this many seconds.</translation>
    </message>
    <message>
        <source>Seconds between two radio polls of a remote device.</source>
        <translation>Seconds between two radio polls of a remote device.</translation>
    </message>
    <message>
        <source>Polls in a row without an answer after which the radio link counts as lost.</source>
        <translation>Polls in a row without an answer after which the radio link counts as lost.</translation>
    </message>
    <message>
        <source>Inverts discrete output 1.</source>
        <translation>Inverts discrete output 1.</translation>
    </message>
    <message>
        <source>Inverts discrete output 2.</source>
        <translation>Inverts discrete output 2.</translation>
    </message>
    <message>
        <source>How input 1 is averaged.</source>
        <translation>How input 1 is averaged.</translation>
    </message>
    <message>
        <source>How input 2 is averaged.</source>
        <translation>How input 2 is averaged.</translation>
    </message>
    <message>
        <source>Seconds over which input 1 is averaged.</source>
        <translation>Seconds over which input 1 is averaged.</translation>
    </message>
    <message>
        <source>Seconds over which input 2 is averaged.</source>
        <translation>Seconds over which input 2 is averaged.</translation>
    </message>
    <message>
        <source>Value of input 1 at which its discrete state turns high.</source>
        <translation>Value of input 1 at which its discrete state turns high.</translation>
    </message>
    <message>
        <source>Value of input 2 at which its discrete state turns high.</source>
        <translation>Value of input 2 at which its discrete state turns high.</translation>
    </message>
    <message>
        <source>Puts the device into calibration mode; the output then drives 20 mA.</source>
        <translation>Puts the device into calibration mode; the output then drives 20 mA.</translation>
    </message>
    <message>
        <source>Leaves calibration mode.</source>
        <translation>Leaves calibration mode.</translation>
    </message>
    <message>
        <source>Current the output is to drive, in microamperes.</source>
        <translation>Current the output is to drive, in microamperes.</translation>
    </message>
    <message>
        <source>Makes the output drive the current set above.</source>
        <translation>Makes the output drive the current set above.</translation>
    </message>
    <message>
        <source>Current your meter shows, in microamperes.</source>
        <translation>Current your meter shows, in microamperes.</translation>
    </message>
    <message>
        <source>Stores the measured current with the set point in the device.</source>
        <translation>Stores the measured current with the set point in the device.</translation>
    </message>
    <message>
        <source>Settings of the device&apos;s 868 MHz radio module.</source>
        <translation>Settings of the device&apos;s 868 MHz radio module.</translation>
    </message>
    <message>
        <source>Frequency sub-band of the radio module (register S206).</source>
        <translation>Frequency sub-band of the radio module (register S206).</translation>
    </message>
    <message>
        <source>Data rate on the radio (register S201); slower reaches farther.</source>
        <translation>Data rate on the radio (register S201); slower reaches farther.</translation>
    </message>
    <message>
        <source>The device&apos;s RS-485 line.</source>
        <translation>The device&apos;s RS-485 line.</translation>
    </message>
    <message>
        <source>Baud rate of the device&apos;s RS-485 line.</source>
        <translation>Baud rate of the device&apos;s RS-485 line.</translation>
    </message>
    <message>
        <source>Timers that restart a part of the device that stopped working.</source>
        <translation>Timers that restart a part of the device that stopped working.</translation>
    </message>
    <message>
        <source>What the current output does when the radio link is lost.</source>
        <translation>What the current output does when the radio link is lost.</translation>
    </message>
    <message>
        <source>What discrete output 1 does when the radio link is lost.</source>
        <translation>What discrete output 1 does when the radio link is lost.</translation>
    </message>
    <message>
        <source>What discrete output 2 does when the radio link is lost.</source>
        <translation>What discrete output 2 does when the radio link is lost.</translation>
    </message>
    <message>
        <source>What the discrete output does when the radio link is lost.</source>
        <translation>What the discrete output does when the radio link is lost.</translation>
    </message>
    <message>
        <source>Remote devices the device polls over the radio.</source>
        <translation>Remote devices the device polls over the radio.</translation>
    </message>
    <message>
        <source>How the device polls remote devices over the radio.</source>
        <translation>How the device polls remote devices over the radio.</translation>
    </message>
    <message>
        <source>How the device polls its remote device, and what its outputs do when the link is lost.</source>
        <translation>How the device polls its remote device, and what its outputs do when the link is lost.</translation>
    </message>
    <message>
        <source>Live values of the device&apos;s inputs and how each is processed.</source>
        <translation>Live values of the device&apos;s inputs and how each is processed.</translation>
    </message>
    <message>
        <source>Calibrates the 4-20 mA output against your meter.</source>
        <translation>Calibrates the 4-20 mA output against your meter.</translation>
    </message>
    <message>
        <source>Polls remote devices again and again to test the radio link.</source>
        <translation>Polls remote devices again and again to test the radio link.</translation>
    </message>
    <message>
        <source>One input: its averaging, its threshold and its live value.</source>
        <translation>One input: its averaging, its threshold and its live value.</translation>
    </message>
    <message>
        <source>Port of the device and the settings files.</source>
        <translation>Port of the device and the settings files.</translation>
    </message>
    <message>
        <source>Reads, writes or restores the device&apos;s settings.</source>
        <translation>Reads, writes or restores the device&apos;s settings.</translation>
    </message>
    <message>
        <source>Frequency sub-band and channel of the radio.</source>
        <translation>Frequency sub-band and channel of the radio.</translation>
    </message>
    <message>
        <source>Radio data rate and transmit power.</source>
        <translation>Radio data rate and transmit power.</translation>
    </message>
    <message>
        <source>Address, serial link and version of the radio module.</source>
        <translation>Address, serial link and version of the radio module.</translation>
    </message>
    <message>
        <source>Relative radio range at the chosen data rate.</source>
        <translation>Relative radio range at the chosen data rate.</translation>
    </message>
    <message>
        <source>Transmit power of the radio module.</source>
        <translation>Transmit power of the radio module.</translation>
    </message>
    <message>
        <source>Format and turn-around delays of the RS-485 line.</source>
        <translation>Format and turn-around delays of the RS-485 line.</translation>
    </message>
    <message>
        <source>A receiver polls the one remote device at address 1.</source>
        <translation>A receiver polls the one remote device at address 1.</translation>
    </message>
    <message>
        <source>What the outputs do when the radio link is lost.</source>
        <translation>What the outputs do when the radio link is lost.</translation>
    </message>
    <message>
        <source>Sub-band %1; only g2 may be used.</source>
        <translation>Sub-band %1; only g2 may be used.</translation>
    </message>
    <message>
        <source>Radio data rate %1.</source>
        <translation>Radio data rate %1.</translation>
    </message>
    <message>
        <source>RS-485 line at %1.</source>
        <translation>RS-485 line at %1.</translation>
    </message>
    <message>
        <source>On a lost radio link: %1.</source>
        <translation>On a lost radio link: %1.</translation>
    </message>
    <message>
        <source>Settings of a remote device over the radio (not available).</source>
        <translation>Settings of a remote device over the radio (not available).</translation>
    </message>
    <message>
        <source>The device polls remote address %1.</source>
        <translation>The device polls remote address %1.</translation>
    </message>
    <message>
        <source>Progress of the requests queued for the device.</source>
        <translation>Progress of the requests queued for the device.</translation>
    </message>
</context>
<context>
    <name>TrafficLog</name>
    <message>
        <source>Traffic log</source>
        <translation>Traffic log</translation>
    </message>
    <message>
        <source>What went over the serial line to and from the device, newest at the bottom.</source>
        <translation>What went over the serial line to and from the device, newest at the bottom.</translation>
    </message>
    <message>
        <source>Requests (&gt;&gt;), replies (&lt;&lt;), time-outs, repeats and give-ups (!!), with the time each happened.</source>
        <translation>Requests (&gt;&gt;), replies (&lt;&lt;), time-outs, repeats and give-ups (!!), with the time each happened.</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Empties the log.</source>
        <translation>Empties the log.</translation>
    </message>
    <message>
        <source>Lines kept; beyond %1 the oldest are dropped.</source>
        <translation>Lines kept; beyond %1 the oldest are dropped.</translation>
    </message>
    <message>
        <source>Opens the log of every request and reply on the serial line (Ctrl+L).</source>
        <translation>Opens the log of every request and reply on the serial line (Ctrl+L).</translation>
    </message>
    <message numerus="yes">
        <source>%n line(s)</source>
        <translation>
            <numerusform>%n line</numerusform>
            <numerusform>%n lines</numerusform>
        </translation>
    </message>
    <message>
        <source>Save traffic log</source>
        <translation>Save traffic log</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>The log could not be saved to
%1

%2</source>
        <translation>The log could not be saved to
%1

%2</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Writes the lines of the log to a text file, under a header naming the program, the port and the device.</source>
        <translation>Writes the lines of the log to a text file, under a header naming the program, the port and the device.</translation>
    </message>
    <message>
        <source>Save for support...</source>
        <translation>Save for support...</translation>
    </message>
    <message>
        <source>Writes one text file to send to support: the header, the log, the settings shown as JSON and the last outcome of the status line.</source>
        <translation>Writes one text file to send to support: the header, the log, the settings shown as JSON and the last outcome of the status line.</translation>
    </message>
    <message>
        <source>not identified</source>
        <translation>not identified</translation>
    </message>
    <message>
        <source>%1, traffic log</source>
        <translation>%1, traffic log</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>Port: %1</source>
        <translation>Port: %1</translation>
    </message>
    <message>
        <source>not connected</source>
        <translation>not connected</translation>
    </message>
    <message>
        <source>Hardware: %1</source>
        <translation>Hardware: %1</translation>
    </message>
    <message>
        <source>Firmware: %1</source>
        <translation>Firmware: %1</translation>
    </message>
    <message>
        <source>Lines: %1 (at most %2 are kept)</source>
        <translation>Lines: %1 (at most %2 are kept)</translation>
    </message>
    <message>
        <source>Save traffic log for support</source>
        <translation>Save traffic log for support</translation>
    </message>
</context>
<context>
    <name>VirtualPorts</name>
    <message>
        <source>virtual</source>
        <translation>virtual</translation>
    </message>
</context>
<context>
    <name>W_Adres</name>
    <message>
        <source>Takes this remote address into the stability check.</source>
        <translation>Takes this remote address into the stability check.</translation>
    </message>
    <message>
        <source>Remote address polled in this row.</source>
        <translation>Remote address polled in this row.</translation>
    </message>
    <message>
        <source>Poll the address of row %1</source>
        <translation>Poll the address of row %1</translation>
    </message>
    <message>
        <source>Address of row %1</source>
        <translation>Address of row %1</translation>
    </message>
</context>
<context>
    <name>W_ComPort</name>
    <message>
        <source>Configure Remote Device</source>
        <translation>Configure Remote Device</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Open Settings</source>
        <translation>Open Settings</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Save Settings</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
</context>
<context>
    <name>W_FreezProtection</name>
    <message>
        <source>WDT Reset</source>
        <translation>WDT Reset</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>sec</translation>
    </message>
    <message>
        <source>Radio Module Reset</source>
        <translation>Radio Module Reset</translation>
    </message>
    <message>
        <source>x100 ms</source>
        <translation>x100 ms</translation>
    </message>
    <message>
        <source>Radio Transmit Reset</source>
        <translation>Radio Transmit Reset</translation>
    </message>
</context>
<context>
    <name>W_Key</name>
    <message>
        <source>WRITE</source>
        <translation>WRITE</translation>
    </message>
    <message>
        <source>DEFAULT</source>
        <translation>DEFAULT</translation>
    </message>
    <message>
        <source>READ</source>
        <translation>READ</translation>
    </message>
    <message>
        <source>Freeze Protection</source>
        <translation>Freeze Protection</translation>
    </message>
</context>
<context>
    <name>W_Power</name>
    <message>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
</context>
<context>
    <name>W_Progress</name>
    <message>
        <source>Distance %</source>
        <translation>Distance %</translation>
    </message>
</context>
<context>
    <name>W_QWidget</name>
    <message>
        <source>Radio Poll and Out Settings</source>
        <translation>Radio Poll and Out Settings</translation>
    </message>
    <message>
        <source>Radio Poll Settings</source>
        <translation>Radio Poll Settings</translation>
    </message>
    <message>
        <source>Freeze Protection</source>
        <translation>Freeze Protection</translation>
    </message>
    <message>
        <source>Out D2 Discret</source>
        <translation>Out D2 Discret</translation>
    </message>
    <message>
        <source>Out D Discret</source>
        <translation>Out D Discret</translation>
    </message>
    <message>
        <source>Out 4-20</source>
        <translation>Out 4-20</translation>
    </message>
    <message>
        <source>Out D1 Discret</source>
        <translation>Out D1 Discret</translation>
    </message>
    <message>
        <source>Radio Module</source>
        <translation>Radio Module</translation>
    </message>
    <message>
        <source>Radio Data Rate</source>
        <translation>Radio Data Rate</translation>
    </message>
    <message>
        <source>RS-485</source>
        <translation>RS-485</translation>
    </message>
    <message>
        <source>Serial Data Rate</source>
        <translation>Serial Data Rate</translation>
    </message>
    <message>
        <source>Sub-band</source>
        <translation>Sub-band</translation>
    </message>
    <message>
        <source>Remote Device Addresses</source>
        <translation>Remote Device Addresses</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Measuremets</source>
        <translation>Measuremets</translation>
    </message>
    <message>
        <source>Radio Stability Check</source>
        <translation>Radio Stability Check</translation>
    </message>
</context>
<context>
    <name>W_RadioCommonLeft</name>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>HardWare</source>
        <translation>HardWare</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>Flow control</source>
        <translation>Flow control</translation>
    </message>
    <message>
        <source>Serial Timeout</source>
        <translation>Serial Timeout</translation>
    </message>
    <message>
        <source>Radio module</source>
        <translation>Radio module</translation>
    </message>
    <message>
        <source>FirmWare</source>
        <translation>FirmWare</translation>
    </message>
</context>
<context>
    <name>W_RadioRate</name>
    <message>
        <source>4800 bps</source>
        <translation>4800 bps</translation>
    </message>
    <message>
        <source>9600 bps</source>
        <translation>9600 bps</translation>
    </message>
    <message>
        <source>19200 bps</source>
        <translation>19200 bps</translation>
    </message>
    <message>
        <source>38400 bps</source>
        <translation>38400 bps</translation>
    </message>
    <message>
        <source>115200 bps</source>
        <translation>115200 bps</translation>
    </message>
</context>
<context>
    <name>W_Rs485Common</name>
    <message>
        <source>8-bit data, no parity</source>
        <translation>8-bit data, no parity</translation>
    </message>
    <message>
        <source>8-bit data, even parity</source>
        <translation>8-bit data, even parity</translation>
    </message>
    <message>
        <source>8-bit data, odd parity</source>
        <translation>8-bit data, odd parity</translation>
    </message>
    <message>
        <source>9-bit data, no parity</source>
        <translation>9-bit data, no parity</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>Stop bit</source>
        <translation>Stop bit</translation>
    </message>
    <message>
        <source>Delay Tx-Rx</source>
        <translation>Delay Tx-Rx</translation>
    </message>
    <message>
        <source>x100 µs</source>
        <translation>x100 µs</translation>
    </message>
    <message>
        <source>Delay Rx-Tx</source>
        <translation>Delay Rx-Tx</translation>
    </message>
</context>
<context>
    <name>W_SerialRate</name>
    <message>
        <source>1200 bps</source>
        <translation>1200 bps</translation>
    </message>
    <message>
        <source>2400 bps</source>
        <translation>2400 bps</translation>
    </message>
    <message>
        <source>4800 bps</source>
        <translation>4800 bps</translation>
    </message>
    <message>
        <source>9600 bps</source>
        <translation>9600 bps</translation>
    </message>
    <message>
        <source>19200 bps</source>
        <translation>19200 bps</translation>
    </message>
    <message>
        <source>38400 bps</source>
        <translation>38400 bps</translation>
    </message>
    <message>
        <source>57600 bps</source>
        <translation>57600 bps</translation>
    </message>
    <message>
        <source>115200 bps</source>
        <translation>115200 bps</translation>
    </message>
</context>
<context>
    <name>W_SubBand</name>
    <message>
        <source>%1 MHz</source>
        <translation>%1 MHz</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Channel</translation>
    </message>
</context>
<context>
    <name>W_Test</name>
    <message>
        <source>TEST</source>
        <translation>TEST</translation>
    </message>
    <message>
        <source>CLEAN TEST</source>
        <translation>CLEAN TEST</translation>
    </message>
    <message>
        <source>Polls the ticked remote addresses in turn until pressed again (STOP).</source>
        <translation>Polls the ticked remote addresses in turn until pressed again (STOP).</translation>
    </message>
    <message>
        <source>Clears the poll history and the counts of every address.</source>
        <translation>Clears the poll history and the counts of every address.</translation>
    </message>
    <message>
        <source>STOP</source>
        <translation>STOP</translation>
    </message>
    <message>
        <source>Address %1: no polls since the last CLEAN TEST.</source>
        <translation>Address %1: no polls since the last CLEAN TEST.</translation>
    </message>
    <message>
        <source>Address %1 since the last CLEAN TEST: %2 polls sent, %3 answered (%4); at most %5 in a row unanswered.</source>
        <translation>Address %1 since the last CLEAN TEST: %2 polls sent, %3 answered (%4); at most %5 in a row unanswered.</translation>
    </message>
    <message>
        <source>Stability check stopped: no polls since the last CLEAN TEST.</source>
        <translation>Stability check stopped: no polls since the last CLEAN TEST.</translation>
    </message>
    <message>
        <source>address %1 answered %2 of %3 (%4)</source>
        <translation>address %1 answered %2 of %3 (%4)</translation>
    </message>
    <message>
        <source>Stability check stopped: </source>
        <translation>Stability check stopped: </translation>
    </message>
</context>
<context>
    <name>w_NumOfDown</name>
    <message>
        <source>Output inversion</source>
        <translation>Output inversion</translation>
    </message>
    <message>
        <source>The device will stop responding to the RS-485</source>
        <translation>The device will stop responding to the RS-485</translation>
    </message>
    <message>
        <source>Freeze the output current if there is no radiolink</source>
        <translation>Freeze the output current if there is no radiolink</translation>
    </message>
    <message>
        <source>The output current is zero if there is no radiolink</source>
        <translation>The output current is zero if there is no radiolink</translation>
    </message>
    <message>
        <source>Low level if there is no radiolink</source>
        <translation>Low level if there is no radiolink</translation>
    </message>
    <message>
        <source>High level if there is no radiolink</source>
        <translation>High level if there is no radiolink</translation>
    </message>
    <message>
        <source>The number of radio non-responses in a row after</source>
        <translation>The number of radio non-responses in a row after</translation>
    </message>
    <message>
        <source>which the device detects the absence of radio communication.</source>
        <translation>which the device detects the absence of radio communication.</translation>
    </message>
</context>
</TS>
