<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>AddressRange</name>
    <message>
        <source>the range %1 ends before it starts</source>
        <translation>the range %1 ends before it starts</translation>
    </message>
    <message>
        <source>the range %1 holds more than %2 addresses</source>
        <translation>the range %1 holds more than %2 addresses</translation>
    </message>
    <message>
        <source>the range %1 is not FIRST-LAST or ADDRESS/PREFIX</source>
        <translation>the range %1 is not FIRST-LAST or ADDRESS/PREFIX</translation>
    </message>
    <message>
        <source>the ranges hold more than %1 addresses</source>
        <translation>the ranges hold more than %1 addresses</translation>
    </message>
</context>
<context>
    <name>CliArguments</name>
    <message>
        <source>the %1 %2 is not a dotted IPv4 address</source>
        <translation>the %1 %2 is not a dotted IPv4 address</translation>
    </message>
    <message>
        <source>the address %1 is given twice</source>
        <translation>the address %1 is given twice</translation>
    </message>
    <message>
        <source>--save, --save-dir and --all belong to read</source>
        <translation>--save, --save-dir and --all belong to read</translation>
    </message>
    <message>
        <source>--load belongs to write</source>
        <translation>--load belongs to write</translation>
    </message>
    <message>
        <source>--save names the file of one device; use --save-dir for several</source>
        <translation>--save names the file of one device; use --save-dir for several</translation>
    </message>
    <message>
        <source>--all takes no addresses</source>
        <translation>--all takes no addresses</translation>
    </message>
    <message>
        <source>--wait needs a number of milliseconds</source>
        <translation>--wait needs a number of milliseconds</translation>
    </message>
    <message>
        <source>%1 needs one name</source>
        <translation>%1 needs one name</translation>
    </message>
    <message>
        <source>--interface needs an interface name</source>
        <translation>--interface needs an interface name</translation>
    </message>
    <message>
        <source>--lang takes zh or en</source>
        <translation>--lang takes zh or en</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>no command</source>
        <translation>no command</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>missing address</source>
        <translation>missing address</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>unexpected argument %1</translation>
    </message>
    <message>
        <source>IP= cannot be written to several devices: each keeps its own address</source>
        <translation>IP= cannot be written to several devices: each keeps its own address</translation>
    </message>
    <message>
        <source>--no-verify belongs to write and reset</source>
        <translation>--no-verify belongs to write and reset</translation>
    </message>
    <message>
        <source>the device %1 is neither a dotted IPv4 address nor a MAC address</source>
        <translation>the device %1 is neither a dotted IPv4 address nor a MAC address</translation>
    </message>
    <message>
        <source>--range belongs to search</source>
        <translation>--range belongs to search</translation>
    </message>
    <message>
        <source>--range needs FIRST-LAST or ADDRESS/PREFIX</source>
        <translation>--range needs FIRST-LAST or ADDRESS/PREFIX</translation>
    </message>
    <message>
        <source>the first address %1 is not one a device can take (x.x.x.1 to x.x.x.254)</source>
        <translation>the first address %1 is not one a device can take (x.x.x.1 to x.x.x.254)</translation>
    </message>
    <message>
        <source>the device %1 is not a MAC address</source>
        <translation>the device %1 is not a MAC address</translation>
    </message>
    <message>
        <source>--dry-run belongs to assign-ip</source>
        <translation>--dry-run belongs to assign-ip</translation>
    </message>
    <message>
        <source>usage: serverconf-cli [--wait MS] [--jobs N] [--interface NAME]... [--json] [--no-verify] [--lang zh|en]
                      COMMAND
       serverconf-cli --help
  search [--range FIRST-LAST|ADDRESS/PREFIX]...
                                             list the device servers that answer; each range
                                             (at most 4096 addresses) is also probed by unicast
  locate IP                                  targeted search for IP
  read IP... [--save FILE | --save-dir DIR]  read the 21 parameters
  read --all [--save-dir DIR]                read every device the search lists
  write IP... [--load FILE] [CODE=VALUE...]  read, change and write the parameters
  reset IP...                                restore the factory defaults
  change-ip IP NEWIP                         give the device a new address
  confirm IP...                              send the confirmation
  assign-ip FIRST [MAC...] [--dry-run]       give each device named (default: every device
                                             sharing its address or at 192.168.1.24) the next
                                             free address from FIRST on, in MAC order
  interfaces                                 list the interfaces in use: name, address/prefix, broadcast
One search serves every IP of a command; then up to N devices (--jobs,
default 64) are worked on at once, each on sockets of its own, and those
reached by broadcast one at a time after them. --jobs 1 works on one device
at a time on the fixed local ports; more jobs use ports the system chooses.
--save-dir saves each device read as DIR/&lt;MAC&gt;.ds. --json prints one
JSON document. --interface NAME (repeatable) keeps every command to the
interfaces named. write and reset read the values back and send again
what did not take; --no-verify skips that. --lang sets the language of the
texts (else SERVERCONF_LANG, the language chosen in the window, the locale).
A device IP may also be given as its MAC address (00:11:22:33:44:55 or
001122334455): the one way to name a device whose IP another device holds.
A device IP the search did not list is probed by unicast before the command
gives up on it (a device behind a router hears no broadcast).
</source>
        <translation>usage: serverconf-cli [--wait MS] [--jobs N] [--interface NAME]... [--json] [--no-verify] [--lang zh|en]
                      COMMAND
       serverconf-cli --help
  search [--range FIRST-LAST|ADDRESS/PREFIX]...
                                             list the device servers that answer; each range
                                             (at most 4096 addresses) is also probed by unicast
  locate IP                                  targeted search for IP
  read IP... [--save FILE | --save-dir DIR]  read the 21 parameters
  read --all [--save-dir DIR]                read every device the search lists
  write IP... [--load FILE] [CODE=VALUE...]  read, change and write the parameters
  reset IP...                                restore the factory defaults
  change-ip IP NEWIP                         give the device a new address
  confirm IP...                              send the confirmation
  assign-ip FIRST [MAC...] [--dry-run]       give each device named (default: every device
                                             sharing its address or at 192.168.1.24) the next
                                             free address from FIRST on, in MAC order
  interfaces                                 list the interfaces in use: name, address/prefix, broadcast
One search serves every IP of a command; then up to N devices (--jobs,
default 64) are worked on at once, each on sockets of its own, and those
reached by broadcast one at a time after them. --jobs 1 works on one device
at a time on the fixed local ports; more jobs use ports the system chooses.
--save-dir saves each device read as DIR/&lt;MAC&gt;.ds. --json prints one
JSON document. --interface NAME (repeatable) keeps every command to the
interfaces named. write and reset read the values back and send again
what did not take; --no-verify skips that. --lang sets the language of the
texts (else SERVERCONF_LANG, the language chosen in the window, the locale).
A device IP may also be given as its MAC address (00:11:22:33:44:55 or
001122334455): the one way to name a device whose IP another device holds.
A device IP the search did not list is probed by unicast before the command
gives up on it (a device behind a router hears no broadcast).
</translation>
    </message>
    <message>
        <source>--jobs needs a number of devices, at least 1</source>
        <translation>--jobs needs a number of devices, at least 1</translation>
    </message>
</context>
<context>
    <name>CliMain</name>
    <message>
        <source>unknown interface %1 (SERVERCONF_BROADCAST or SERVERCONF_LOCAL_ADDRESS replaces the interfaces)</source>
        <translation>unknown interface %1 (SERVERCONF_BROADCAST or SERVERCONF_LOCAL_ADDRESS replaces the interfaces)</translation>
    </message>
    <message>
        <source>unknown interface %1 (see serverconf-cli interfaces)</source>
        <translation>unknown interface %1 (see serverconf-cli interfaces)</translation>
    </message>
</context>
<context>
    <name>CliRunner</name>
    <message>
        <source>没有搜索到设备</source>
        <translation>No device found</translation>
    </message>
    <message>
        <source>unknown command</source>
        <translation>unknown command</translation>
    </message>
    <message>
        <source>%1 %2: the folder cannot be made</source>
        <translation>%1 %2: the folder cannot be made</translation>
    </message>
    <message>
        <source>read</source>
        <translation>read</translation>
    </message>
    <message>
        <source>the MAC address &quot;%1&quot; cannot name a file: not saved</source>
        <translation>the MAC address &quot;%1&quot; cannot name a file: not saved</translation>
    </message>
    <message>
        <source>%1 holds another device of this MAC address: not saved</source>
        <translation>%1 holds another device of this MAC address: not saved</translation>
    </message>
    <message>
        <source>saved to %1</source>
        <translation>saved to %1</translation>
    </message>
    <message>
        <source>written</source>
        <translation>written</translation>
    </message>
    <message>
        <source>factory defaults written</source>
        <translation>factory defaults written</translation>
    </message>
    <message>
        <source>new address %1 sent</source>
        <translation>new address %1 sent</translation>
    </message>
    <message>
        <source>confirmation sent</source>
        <translation>confirmation sent</translation>
    </message>
    <message>
        <source>%1 does not give %2: the devices keep these values</source>
        <translation>%1 does not give %2: the devices keep these values</translation>
    </message>
    <message>
        <source>no device of these MAC addresses was found: %1 (nothing sent)</source>
        <translation>no device of these MAC addresses was found: %1 (nothing sent)</translation>
    </message>
    <message>
        <source>the free addresses from %1 end at .254 before these devices get one: %2 (nothing sent)</source>
        <translation>the free addresses from %1 end at .254 before these devices get one: %2 (nothing sent)</translation>
    </message>
    <message>
        <source>no device shares its address with another or sits at the factory address: nothing to do</source>
        <translation>no device shares its address with another or sits at the factory address: nothing to do</translation>
    </message>
    <message>
        <source>planned, nothing sent</source>
        <translation>planned, nothing sent</translation>
    </message>
</context>
<context>
    <name>ProgressLine</name>
    <message>
        <source>%1 of %2 done</source>
        <translation>%1 of %2 done</translation>
    </message>
</context>
<context>
    <name>TypedValues</name>
    <message>
        <source>unknown parameter code %1</source>
        <translation>unknown parameter code %1</translation>
    </message>
    <message>
        <source>%1 (the MAC address) is read only</source>
        <translation>%1 (the MAC address) is read only</translation>
    </message>
    <message>
        <source>a name holds at most %1 bytes of code page 936</source>
        <translation>a name holds at most %1 bytes of code page 936</translation>
    </message>
    <message>
        <source>a port number lies within 1-65535</source>
        <translation>a port number lies within 1-65535</translation>
    </message>
    <message>
        <source>not one of the values the list offers</source>
        <translation>not one of the values the list offers</translation>
    </message>
    <message>
        <source>not a dotted IPv4 address</source>
        <translation>not a dotted IPv4 address</translation>
    </message>
    <message>
        <source>the device would be out of reach at 0.0.0.0, 255.255.255.255 or a multicast address</source>
        <translation>the device would be out of reach at 0.0.0.0, 255.255.255.255 or a multicast address</translation>
    </message>
</context>
<context>
    <name>serverconf::AboutDialog</name>
    <message>
        <source>关于 </source>
        <translation>About </translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>SW 1.0 版</source>
        <translation>SW version 1.0</translation>
    </message>
    <message>
        <source>串口设备服务器配置工具</source>
        <translation>Serial device server configuration tool</translation>
    </message>
</context>
<context>
    <name>serverconf::ChangeIpDialog</name>
    <message>
        <source>确  定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取  消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>更改IP</source>
        <translation>Change IP</translation>
    </message>
    <message>
        <source>设备IP：</source>
        <translation>IP:</translation>
    </message>
</context>
<context>
    <name>serverconf::DeviceListModel</name>
    <message>
        <source>状  态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>MAC地址</source>
        <translation>MAC address</translation>
    </message>
    <message>
        <source>使用者/设备名</source>
        <translation>User / device name</translation>
    </message>
    <message>
        <source>设备IP</source>
        <translation>Device IP</translation>
    </message>
</context>
<context>
    <name>serverconf::DeviceManagerDialog</name>
    <message>
        <source>设备管理</source>
        <translation>Device Manager</translation>
    </message>
    <message>
        <source>关于 serverconf(&amp;A)...</source>
        <translation>&amp;About serverconf...</translation>
    </message>
    <message>
        <source>搜   索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>设   置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>确认设备</source>
        <translation>Confirm device</translation>
    </message>
    <message>
        <source>更 改 IP</source>
        <translation>Change IP</translation>
    </message>
    <message>
        <source>定 位 搜 索</source>
        <translation>Locate</translation>
    </message>
    <message>
        <source>退  出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>没有搜索到设备</source>
        <translation>No device found</translation>
    </message>
</context>
<context>
    <name>serverconf::DeviceProfileCommands</name>
    <message>
        <source>设备配置文件(*.ds)</source>
        <translation>Device configuration files (*.ds)</translation>
    </message>
</context>
<context>
    <name>serverconf::FileChoice</name>
    <message>
        <source>确认另存为</source>
        <translation>Confirm Save As</translation>
    </message>
    <message>
        <source>%1 已存在。
要替换它吗?</source>
        <translation>%1 already exists.
Do you want to replace it?</translation>
    </message>
</context>
<context>
    <name>serverconf::FramedDialog</name>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
</context>
<context>
    <name>serverconf::LanguageMenu</name>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>所选语言在下次启动时生效。</source>
        <translation>The language you chose applies from the next start.</translation>
    </message>
</context>
<context>
    <name>serverconf::NetworkAdvancedDialog</name>
    <message>
        <source>确  定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取  消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>网络高级属性设置</source>
        <translation>Advanced Network Settings</translation>
    </message>
    <message>
        <source>连接方式：</source>
        <translation>Connect:</translation>
    </message>
    <message>
        <source>连接时限：</source>
        <translation>Timeout:</translation>
    </message>
</context>
<context>
    <name>serverconf::Notice</name>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
</context>
<context>
    <name>serverconf::ParameterChoices</name>
    <message>
        <source>服务器</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>客户端</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>0- 禁用</source>
        <translation>0- Off</translation>
    </message>
    <message>
        <source>1- 使用</source>
        <translation>1- On</translation>
    </message>
    <message>
        <source>禁用</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>使用</source>
        <translation>On</translation>
    </message>
</context>
<context>
    <name>serverconf::ParameterNames</name>
    <message>
        <source>使用者</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>设备名</source>
        <translation>Device name</translation>
    </message>
    <message>
        <source>MAC地址</source>
        <translation>MAC address</translation>
    </message>
    <message>
        <source>IP地址</source>
        <translation>IP address</translation>
    </message>
    <message>
        <source>端口号</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>传输协议</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <source>工作模式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>连接方式</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>连接时限</source>
        <translation>Connection timeout</translation>
    </message>
    <message>
        <source>RTS/CTS设置</source>
        <translation>RTS/CTS</translation>
    </message>
    <message>
        <source>DTR设置</source>
        <translation>DTR</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>比特位</source>
        <translation>Data bits</translation>
    </message>
    <message>
        <source>On-the-Fly功能</source>
        <translation>On-the-fly</translation>
    </message>
    <message>
        <source>最大数据封包数</source>
        <translation>Max. packets</translation>
    </message>
    <message>
        <source>最大字符间延时</source>
        <translation>Max. character gap</translation>
    </message>
    <message>
        <source>目标IP</source>
        <translation>Destination IP</translation>
    </message>
    <message>
        <source>目标端口</source>
        <translation>Destination port</translation>
    </message>
    <message>
        <source>网关IP</source>
        <translation>Gateway IP</translation>
    </message>
    <message>
        <source>网络掩码</source>
        <translation>Netmask</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>serverconf::Program</name>
    <message>
        <source>Windows 通信端口初始化失败。</source>
        <translation>The Windows communication ports could not be initialised.</translation>
    </message>
</context>
<context>
    <name>serverconf::ProgressDialog</name>
    <message>
        <source>正在搜索设备，请等待!</source>
        <translation>Searching, please wait!</translation>
    </message>
</context>
<context>
    <name>serverconf::PropertySettingsDialog</name>
    <message>
        <source>属性设置</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>网络属性设置</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>串口属性设置</source>
        <translation>Serial Port</translation>
    </message>
    <message>
        <source>使 用 者：</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>设 备 名：</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>MAC地址：</source>
        <translation>MAC:</translation>
    </message>
    <message>
        <source>IP 地 址：</source>
        <translation>IP:</translation>
    </message>
    <message>
        <source>端 口 号：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>传输协议：</source>
        <translation>Protocol:</translation>
    </message>
    <message>
        <source>工作模式：</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>目 标IP：</source>
        <translation>Dst IP:</translation>
    </message>
    <message>
        <source>目标端口：</source>
        <translation>Dst port:</translation>
    </message>
    <message>
        <source>网 关IP：</source>
        <translation>Gateway:</translation>
    </message>
    <message>
        <source>网络掩码：</source>
        <translation>Netmask:</translation>
    </message>
    <message>
        <source>高级设置</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>波 特 率：</source>
        <translation>Baudrate:</translation>
    </message>
    <message>
        <source>校    验：</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>比 特 位：</source>
        <translation>Bits:</translation>
    </message>
    <message>
        <source>DTR设置：</source>
        <translation>DTR:</translation>
    </message>
    <message>
        <source>RTS/CTS设置：</source>
        <translation>RTS/CTS:</translation>
    </message>
    <message>
        <source>保   存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>载   入</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>出厂设置</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>确   定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取   消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>使用者不能超过8个字节!</source>
        <translation>The user name may hold at most 8 bytes!</translation>
    </message>
    <message>
        <source>设备名不能超过8个字节!</source>
        <translation>The device name may hold at most 8 bytes!</translation>
    </message>
    <message>
        <source>端口号必须在1-65535之间!</source>
        <translation>The port number must lie within 1-65535!</translation>
    </message>
    <message>
        <source>目标端口必须在1-65535之间!</source>
        <translation>The destination port must lie within 1-65535!</translation>
    </message>
    <message>
        <source>目标IP格式不对!</source>
        <translation>The destination IP address is malformed!</translation>
    </message>
    <message>
        <source>网关IP格式不对!</source>
        <translation>The gateway IP address is malformed!</translation>
    </message>
    <message>
        <source>网络掩码格式不对!</source>
        <translation>The netmask is malformed!</translation>
    </message>
</context>
<context>
    <name>serverconf::SerialAdvancedDialog</name>
    <message>
        <source>确  定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取  消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>串口高级属性设置</source>
        <translation>Advanced Serial Settings</translation>
    </message>
    <message>
        <source>最大数据封包数：</source>
        <translation>Max. packets:</translation>
    </message>
    <message>
        <source>最大字符间延时：</source>
        <translation>Character gap:</translation>
    </message>
    <message>
        <source>On-the-Fly功能：</source>
        <translation>On-the-Fly:</translation>
    </message>
</context>
<context>
    <name>serverconf::TargetedSearchDialog</name>
    <message>
        <source>确 定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取 消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>定位搜索</source>
        <translation>Locate Device</translation>
    </message>
    <message>
        <source>设备IP：</source>
        <translation>IP:</translation>
    </message>
    <message>
        <source>端口号：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>结束IP：</source>
        <translation>End IP:</translation>
    </message>
</context>
<context>
    <name>serverconf::UserMessages</name>
    <message>
        <source>没有选择设备!</source>
        <translation>No device selected!</translation>
    </message>
    <message>
        <source>请检查设备与pc连线状态!</source>
        <translation>Please check the connection between the device and the PC!</translation>
    </message>
    <message>
        <source>正在更新设备，请等待!</source>
        <translation>Updating, please wait!</translation>
    </message>
    <message>
        <source>IP地址格式不对!</source>
        <translation>The IP address is malformed!</translation>
    </message>
    <message>
        <source>所选文件格式不对!</source>
        <translation>The chosen file is not a device configuration file!</translation>
    </message>
    <message>
        <source>配置文件保存失败!</source>
        <translation>The configuration file could not be saved!</translation>
    </message>
    <message>
        <source>GBK 编码（代码页 936）不可用，程序无法运行。</source>
        <translation>The GBK encoding (code page 936) is not available; the program cannot run.</translation>
    </message>
    <message>
        <source>设备MAC地址不符!</source>
        <translation>The device&apos;s MAC address does not match!</translation>
    </message>
    <message>
        <source>以下参数未读到: </source>
        <translation>These values were not read: </translation>
    </message>
    <message>
        <source>以下参数未读到，未写入: </source>
        <translation>These values were not read and were left unchanged: </translation>
    </message>
    <message>
        <source>以下参数未设置成功: </source>
        <translation>These values did not take: </translation>
    </message>
    <message>
        <source>未读到</source>
        <translation>not read</translation>
    </message>
    <message>
        <source>未从设备读到此值，确定时不写入</source>
        <translation>This value was not read from the device; OK leaves it unchanged</translation>
    </message>
    <message>
        <source>以下参数未读到，不能保存: </source>
        <translation>These values were not read, so the file cannot be saved: </translation>
    </message>
    <message>
        <source>设备未在新IP地址出现!</source>
        <translation>The device did not appear at its new IP address!</translation>
    </message>
    <message>
        <source>IP地址冲突: 另一台设备使用同一地址, 按MAC地址访问</source>
        <translation>IP address conflict: another device uses this address; reached by its MAC address</translation>
    </message>
    <message>
        <source>单播搜索到的设备, 按IP地址访问</source>
        <translation>Found by a unicast search; reached at its IP address</translation>
    </message>
    <message>
        <source>IP地址冲突, 不能确认设备!</source>
        <translation>IP address conflict: the device cannot be confirmed!</translation>
    </message>
    <message>
        <source>多台设备使用此IP地址, 请用MAC地址选择: </source>
        <translation>Several devices use this IP address, choose one by its MAC address: </translation>
    </message>
    <message>
        <source>此设备在多个网络接口上, 请用--interface选择: </source>
        <translation>This device is on several interfaces, choose one with --interface: </translation>
    </message>
    <message>
        <source>搜索范围不对: 起始IP不大于结束IP, 最多4096个地址!</source>
        <translation>Wrong search range: the first IP may not be above the end IP, and at most 4096 addresses!</translation>
    </message>
    <message>
        <source>此IP地址已被其他设备使用: </source>
        <translation>This IP address is used by another device: </translation>
    </message>
    <message>
        <source>出厂设置后设备IP为%1, 此地址已被其他设备使用: </source>
        <translation>After the factory reset the device&apos;s IP address is %1, which other devices already use: </translation>
    </message>
    <message>
        <source>IP地址不能是0.0.0.0、255.255.255.255或组播地址!</source>
        <translation>The IP address may not be 0.0.0.0, 255.255.255.255 or a multicast address!</translation>
    </message>
</context>
</TS>
