#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright (c) 2026 The Zephra developers
# MIT License (see LICENSE)

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
module: wlan_info
short_description: Reads a printer's WLAN settings
description:
  - Reads the WLAN settings of a printer on a serial port or on USB of the managed host, with
    C(zephra-cli read), as a profile names them.
  - The security key is never read into the result.
author:
  - Zephra developers (!UNKNOWN)
extends_documentation_fragment:
  - zephra.printer.link
  - zephra.printer.link.printer
  - ansible.builtin.action_common_attributes
attributes:
  check_mode:
    support: full
    details: The module only reads the printer.
  diff_mode:
    support: none
  platform:
    platforms: posix
seealso:
  - module: zephra.printer.wlan
  - module: zephra.printer.ports_info
'''

EXAMPLES = r'''
- name: Read the printer
  zephra.printer.wlan_info:
    port: /dev/ttyUSB0
  register: printer

- name: Show its network name
  ansible.builtin.debug:
    msg: "{{ printer.settings.ssid }}"

- name: Read the printer on USB
  zephra.printer.wlan_info:
    usb: true
  register: usb_printer
'''

RETURN = r'''
family:
  description: The printer's family, as a profile for it names it.
  returned: success
  type: str
  sample: current
model:
  description: The printer's model character.
  returned: success
  type: str
  sample: '5'
mac:
  description: The printer's MAC address.
  returned: success
  type: str
  sample: 00:1A:2B:3C:4D:5E
version:
  description: The printer's firmware version.
  returned: success
  type: str
  sample: V1.04
settings:
  description: The printer's settings by the names a profile uses, without its key.
  returned: success
  type: dict
  sample: {"ssid": "Office", "security": "WPA", "dhcp": false, "ip_address": "10.0.0.7"}
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.zephra.printer.plugins.module_utils.zephra_cli import (
    LINK_OPTIONS, ZephraCliRun, check_link, link_arguments)


def main():
    module = AnsibleModule(argument_spec=dict(LINK_OPTIONS), supports_check_mode=True)
    check_link(module)
    # No --yes: zephra-cli leaves the key out.
    run = ZephraCliRun(module, ['read'] + link_arguments(module.params) + ['--json'])
    printer = run.printer()
    if run.rc != 0 or printer is None:
        run.fail()
    module.exit_json(changed=False, **dict((name, printer.get(name)) for name in (
        'family', 'model', 'mac', 'version', 'settings')))


if __name__ == '__main__':
    main()
