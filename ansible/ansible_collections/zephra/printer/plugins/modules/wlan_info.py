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
  - With I(printers), all of a host's printers are read at once, and the task returns an entry
    for each in C(printers), in their order.
author:
  - Zephra developers (!UNKNOWN)
options:
  printers:
    description:
      - The host's printers, each on its C(port) or the first USB printer with C(usb=true), in
        place of I(port) and I(usb), read at the same time.
      - A printer that cannot be read fails the task, with the port and message of every
        printer that failed; the others are read all the same.
    type: list
    elements: dict
    suboptions:
      port:
        description:
          - The printer's device, as for I(port).
          - Exactly one of I(port) and I(usb=true) is required.
        type: str
      usb:
        description:
          - The first USB printer of a maker zephra-cli accepts, in place of a I(port).
        type: bool
        default: false
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

- name: Read all of the host's printers at once
  zephra.printer.wlan_info:
    printers:
      - port: /dev/ttyUSB0
      - port: /dev/ttyUSB1
      - usb: true
  register: host_printers

- name: Show each one's MAC address
  ansible.builtin.debug:
    msg: "{{ host_printers.printers | map(attribute='mac') | list }}"
'''

RETURN = r'''
family:
  description: The printer's family, as a profile for it names it.
  returned: success, without I(printers)
  type: str
  sample: current
model:
  description: The printer's model character.
  returned: success, without I(printers)
  type: str
  sample: '5'
mac:
  description: The printer's MAC address, in upper case with colons, whichever family.
  returned: success, without I(printers)
  type: str
  sample: 00:1A:2B:3C:4D:5E
version:
  description: The printer's firmware version.
  returned: success, without I(printers)
  type: str
  sample: V1.04
settings:
  description: The printer's settings by the names a profile uses, without its key.
  returned: success, without I(printers)
  type: dict
  sample: {"ssid": "Office", "security": "WPA", "dhcp": false, "ip_address": "10.0.0.7"}
printers:
  description:
    - With I(printers), an entry for each, in their order, with its C(port) as zephra-cli
      names it, C(family), C(model), C(mac), C(version) and C(settings); or, for a printer
      that could not be read, its C(port) and the C(msg) why.
  returned: with I(printers)
  type: list
  elements: dict
  sample: [{"port": "/dev/ttyUSB0", "family": "current", "model": "5",
            "mac": "00:1A:2B:3C:4D:5E", "version": "V1.04",
            "settings": {"ssid": "Office", "security": "WPA"}},
           {"port": "/dev/ttyUSB1", "family": "module", "model": "4",
            "mac": "00:1A:2B:B1:27:04", "version": "V2.10",
            "settings": {"ssid": "Office", "security": "WPA2"}}]
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.zephra.printer.plugins.module_utils.zephra_cli import (
    LINK_OPTIONS, PRINTER_OPTIONS, check_link, last_line, line_arguments, mac_form,
    printer_arguments, printer_name, run_at_once)

PARTICULARS = ('family', 'model', 'mac', 'version', 'settings')


def entry_of(printer, run):
    """What the task returns of a printer: its particulars, or msg when it was not read."""
    item = run.printer()
    if run.rc != 0 or item is None:
        message = last_line(run.stderr) or 'zephra-cli ended with status %d' % run.rc
        if run.timed_out:
            message = 'zephra-cli ran past its timeout of %d s: %s' % (run.timeout, message)
        return dict(port=printer_name(printer), msg=message)
    entry = dict((name, item.get(name)) for name in PARTICULARS)
    entry['mac'] = mac_form(entry['mac'])
    entry['port'] = item.get('port') or printer_name(printer)
    return entry


def main():
    options = dict(printers=dict(type='list', elements='dict', options=dict(PRINTER_OPTIONS)))
    options.update(LINK_OPTIONS)
    module = AnsibleModule(argument_spec=options, supports_check_mode=True)
    printers = check_link(module)
    # No --yes: zephra-cli leaves the key out. read takes one printer: one run each, all at
    # once.
    runs = run_at_once(module, [(['read'] + printer_arguments(printer) +
                                 line_arguments(module.params) + ['--json'], None, 0)
                                for printer in printers])
    if module.params['printers'] is None:
        run = runs[0]
        if run.rc != 0 or run.printer() is None:
            run.fail()
        entry = entry_of(printers[0], run)
        module.exit_json(changed=False, **dict((name, entry[name]) for name in PARTICULARS))
    entries = [entry_of(printer, run) for printer, run in zip(printers, runs)]
    failed = ['%s: %s' % (entry['port'], entry['msg']) for entry in entries if 'msg' in entry]
    if failed:
        module.fail_json(msg='; '.join(failed), printers=entries)
    module.exit_json(changed=False, printers=entries)


if __name__ == '__main__':
    main()
