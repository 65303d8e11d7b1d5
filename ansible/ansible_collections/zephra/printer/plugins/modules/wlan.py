#!/usr/bin/python
# -*- coding: utf-8 -*-
# Copyright (c) 2026 The Zephra developers
# MIT License (see LICENSE)

from __future__ import absolute_import, division, print_function
__metaclass__ = type

DOCUMENTATION = r'''
module: wlan
short_description: Brings a printer's WLAN settings to a profile
description:
  - Writes a profile of WLAN settings to a printer on a serial port or on USB of the managed
    host, with C(zephra-cli apply), and reads them back to confirm them.
  - The printer is read first; a printer that already holds the profile is left alone and the
    task reports no change.
  - The profile is a file on the managed host, or settings given in the task. Per-host values,
    such as the printer's own address, are merged over its settings.
  - A setting the profile holds that the printer's save would not write, as a module's mDNS
    host name in Infrastructure mode, is skipped; the printer keeps its own value, which is no
    change. The task warns of it on every run while the two differ, and returns it in
    C(skipped_settings). I(strict) refuses such a printer instead.
  - With I(restore), the printer is brought back to its newest backup in that folder, found by
    its MAC address (C(zephra-cli restore)), in place of a profile.
  - With I(printers), all of a host's printers are written at once, by one
    C(zephra-cli apply) whose inventory, chosen by port, gives each its own I(overrides) and
    I(address); the task then returns an entry for each printer in C(printers), in their order.
    A printer on USB is served by a run of its own, since C(--usb) names one printer.
author:
  - Zephra developers (!UNKNOWN)
options:
  printers:
    description:
      - The host's printers, each on its C(port) or the first USB printer with C(usb=true), in
        place of I(port) and I(usb). They are written at the same time, so that their waits,
        as for I(verify), run side by side rather than one after another.
      - The printers on serial ports are one run of zephra-cli; a printer with C(usb=true) is
        a run of its own beside it. So is a printer whose I(overrides) hold a value an
        inventory cell cannot mean as the profile would, that is empty text, any value but
        text, or, for a setting the profile holds as true or false, any value but those.
      - Values zephra-cli refuses for any of the serial printers refuse that run before any
        of them is written.
      - The profile, I(key), I(strict), I(backup) and I(verify) options apply to each of them.
      - A printer that fails fails the task, with the port and message of every printer that
        failed; the others are written all the same.
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
      overrides:
        description:
          - Settings merged over those of the profile and of the task's I(overrides) for this
            printer alone, such as its C(ip_address). Not with I(restore).
        type: dict
      address:
        description:
          - With I(verify), this printer's address when it takes one from DHCP.
        type: str
  profile:
    description:
      - Path of a profile file on the managed host, as C(zephra-cli read --out) or the Zephra
        program saves it. The file names the printer family it is for.
      - Exactly one of I(profile), I(settings) and I(restore) is required.
    type: path
  settings:
    description:
      - The profile's settings, by the names a profile file uses (for example C(ssid),
        C(security), C(ip_address)).
      - Exactly one of I(profile), I(settings) and I(restore) is required.
      - Give a key with I(key), not here, where Ansible shows it with the task's arguments.
    type: dict
  family:
    description:
      - The printer family the I(settings) are for. Required with I(settings); a profile file
        names its own.
    type: str
    choices: [current, legacy, module]
  overrides:
    description:
      - Settings merged over those of the profile, for the values that differ from printer to
        printer, such as C(ip_address).
      - With I(printers), they apply to each printer, under its own I(overrides).
    type: dict
  key:
    description:
      - The security key to write, where the profile's security keeps its key. It reaches
        zephra-cli on its standard input and is never logged or shown.
      - Left out, the printer's key is left as it is unless the profile holds one.
    type: str
  strict:
    description:
      - Refuses a printer, and fails the task, when the save would skip a setting the profile
        holds (C(zephra-cli apply --strict)). Nothing is written to that printer.
      - For sites that want a profile to mean exactly what it says.
    type: bool
    default: false
  restore:
    description:
      - A folder on the managed host of backups that I(backup) made. The printer is brought
        back to its newest backup there, chosen by its MAC address; a printer with none there
        fails the task with nothing written.
      - Exactly one of I(profile), I(settings) and I(restore) is required.
    type: path
  backup:
    description:
      - Keeps the printer's settings, as read, in a file in I(backup_dir) before anything is
        written to it, and returns its path as C(backup_path). A printer already at the profile
        is not written, and gets no backup.
    type: bool
    default: false
  backup_dir:
    description:
      - The folder on the managed host for I(backup); made, readable by its owner alone, when
        it is not there. The files are readable by their owner alone, since they hold keys.
    type: path
    default: ~/.zephra/backups
  verify:
    description:
      - Once the printer is written, or found already at the profile, in Infrastructure mode,
        waits until it accepts a TCP connection on its address and port
        (C(zephra-cli --verify)), sending no byte. A printer that stays unreachable fails the
        task with the reason, and with C(changed=true) when it was written; its settings stay
        as written.
      - The address is its static one; with DHCP, I(address), then a Wi-Fi module's mDNS name
        as the profile gives it, then the host's neighbour (ARP) table by its MAC address. A
        printer whose address none of these gives, or an access point, is not checked, which
        C(network) says.
      - In check mode nothing is written, so nothing is waited for; C(network) says
        C(not_checked) with the reason.
    type: bool
    default: false
  verify_timeout:
    description:
      - Seconds I(verify) waits for the printer from the start of its save; added to
        I(timeout).
    type: int
    default: 60
  address:
    description:
      - With I(verify), the printer's address when it takes one from DHCP, as the site's DHCP
        server gives it.
      - With I(printers), each printer's C(address) instead.
    type: str
notes:
  - The settings are checked by zephra-cli, against the printer's own page; the task fails
    with its message when it refuses them.
extends_documentation_fragment:
  - zephra.printer.link
  - zephra.printer.link.printer
  - ansible.builtin.action_common_attributes
attributes:
  check_mode:
    support: full
    details: Each printer is read and compared with the profile; nothing is written, and
      nothing is waited for.
  diff_mode:
    support: full
    details: A key that changes is shown masked, never its text. With I(printers), each
      printer's diff is headed by its port.
  platform:
    platforms: posix
seealso:
  - module: zephra.printer.wlan_info
  - module: zephra.printer.ports_info
'''

EXAMPLES = r'''
- name: Bring the office printers to the office profile, each with its own address
  zephra.printer.wlan:
    port: /dev/ttyUSB0
    profile: /etc/zephra/office.json
    overrides:
      ip_address: "{{ printer_ip }}"
    key: "{{ vault_office_wlan_key }}"

- name: The same, with a backup first, and the printer seen on its network after
  zephra.printer.wlan:
    port: /dev/ttyUSB0
    profile: /etc/zephra/office.json
    key: "{{ vault_office_wlan_key }}"
    backup: true
    verify: true
    verify_timeout: 90

- name: Put the printer back as its newest backup has it
  zephra.printer.wlan:
    port: /dev/ttyUSB0
    restore: ~/.zephra/backups

- name: A host's three printers at once, each with its own address, seen on the network after
  zephra.printer.wlan:
    printers:
      - port: /dev/ttyUSB0
        overrides:
          ip_address: 10.0.0.21
      - port: /dev/ttyUSB1
        overrides:
          ip_address: 10.0.0.22
      - usb: true
        overrides:
          ip_address: 10.0.0.23
    profile: /etc/zephra/office.json
    key: "{{ vault_office_wlan_key }}"
    backup: true
    verify: true
  register: office

- name: Settings given in the task, to the printer on USB
  zephra.printer.wlan:
    usb: true
    family: current
    settings:
      ssid: Warehouse
      dhcp: true
'''

RETURN = r'''
family:
  description: The printer's family.
  returned: when the printer was identified
  type: str
  sample: current
model:
  description: The printer's model character.
  returned: when the printer was identified
  type: str
  sample: '5'
mac:
  description: The printer's MAC address, in upper case with colons, whichever family.
  returned: when the printer was read
  type: str
  sample: 00:1A:2B:3C:4D:5E
version:
  description: The printer's firmware version.
  returned: when the printer was read
  type: str
  sample: V1.04
changes:
  description:
    - The settings that differ between the printer and the profile, each with the value it had
      (C(from)) and the profile's (C(to)).
    - A key is never given; its entry has C(key) set to C(changes) or C(unchanged).
    - Settings the save would not write are not here but in C(skipped_settings).
  returned: when the printer was read
  type: list
  elements: dict
  sample: [{"setting": "ssid", "from": "Printer-AP", "to": "Office"},
           {"setting": "key", "key": "changes"}]
skipped_settings:
  description:
    - The settings the profile holds, with other values than the printer's, that the printer's
      save would not write in the mode and security it ends up in, each with the C(reason).
      The printer keeps its own values; they are no change, and the task warns of them.
    - Not named C(skipped), which Ansible takes for a task that did not run.
  returned: when the printer was read
  type: list
  elements: dict
  sample: [{"setting": "mdns_host_name", "reason": "not written in Infrastructure mode"}]
backup_path:
  description: The file the printer's settings were kept in before the write.
  returned: when I(backup) was given and the printer was written
  type: str
  sample: /root/.zephra/backups/00-1A-2B-3C-4D-5E_2026-12-08@10-09-29.123.json
restored_from:
  description: The backup that I(restore) brought the printer to.
  returned: with I(restore), when the printer has a backup
  type: str
  sample: /root/.zephra/backups/00-1A-2B-3C-4D-5E_2026-12-08@10-09-29.123.json
network:
  description:
    - With I(verify), whether the printer was seen on its network. C(state) is C(reachable)
      (with C(address), C(port), C(seconds) and C(found_by), one of C(static),
      C(command_line), C(mdns) or C(neighbour)), C(unreachable) (with C(address), C(port) and
      C(reason)) or C(not_checked) (with C(reason)), as in check mode.
  returned: with I(verify), when the printer was written or already at the profile
  type: dict
  sample: {"state": "reachable", "address": "10.0.0.21", "port": 9100, "seconds": 7.2,
           "found_by": "static"}
printers:
  description:
    - With I(printers), an entry for each, in their order, with its C(port) as zephra-cli
      names it and, as for a single printer, C(family), C(model), C(mac), C(version),
      C(changes), C(skipped_settings), C(backup_path), C(restored_from) and C(network) where
      they apply; C(changed) for that printer alone; and C(msg) when it failed.
    - The printers' family, model, mac and the rest are not returned at the top level.
  returned: with I(printers)
  type: list
  elements: dict
  sample: [{"port": "/dev/ttyUSB0", "family": "current", "model": "5",
            "mac": "00:1A:2B:3C:4D:5E", "version": "V1.04", "changed": true,
            "changes": [{"setting": "ssid", "from": "Printer-AP", "to": "Office"}],
            "skipped_settings": [],
            "network": {"state": "reachable", "address": "10.0.0.21", "port": 9100,
                        "seconds": 7.2, "found_by": "static"}},
           {"port": "/dev/ttyUSB1", "family": "current", "model": "5",
            "mac": "00:1A:2B:3C:4D:5F", "version": "V1.04", "changed": false,
            "changes": [], "skipped_settings": [],
            "msg": "unreachable at 10.0.0.22:9100: no answer within 60 s"}]
'''

import copy
import csv
import json
import os
import re
import tempfile

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.zephra.printer.plugins.module_utils.zephra_cli import (
    LINK_OPTIONS, PRINTER_OPTIONS, check_link, last_line, line_arguments, mac_form,
    printer_arguments, printer_name, run_at_once)

PROFILE_FORMAT = 'zephra-printer-settings'
PROFILE_VERSION = 1
MASKED = '(masked)'
# What zephra-cli says of a printer that did as asked.
DONE = ('applied', 'unchanged', 'would-change')
# Nothing is written in check mode, so the printer is not looked for: it would be found, or
# not, as it was before.
CHECK_MODE_NETWORK = {'state': 'not_checked', 'reason': 'in check mode, where nothing is written'}
# A setting's name as an inventory's header takes it, meaning what it means in a profile; mac and
# address are zephra-cli's own columns.
SETTING_NAME = re.compile(r'^(?!mac\Z|address\Z)[a-z][a-z0-9_]*\Z')
# What a CSV cell read line by line cannot hold.
NOT_IN_A_CELL = re.compile('[\0\r\n]')


class Profile(object):
    """The task's profile, merged with each printer's overrides."""

    def __init__(self, module):
        self.module = module
        params = module.params
        self.shared = params['overrides'] or {}
        self.settings = params['settings']
        # Absolute, so that no name is taken for an option.
        self.path = None if self.settings is not None else os.path.abspath(params['profile'])
        self.document = None

    def file_document(self):
        """The profile file's document, read once."""
        if self.document is not None:
            return self.document
        path, fail = self.path, self.module.fail_json
        try:
            with open(path, 'rb') as f:
                self.document = json.loads(f.read().decode('utf-8'))
        except (IOError, OSError) as e:
            fail(msg='cannot read the profile %s: %s' % (path, e.strerror or e))
        except ValueError as e:
            fail(msg='%s is not a profile: %s' % (path, e))
        if not isinstance(self.document, dict) or not isinstance(
                self.document.get('settings'), dict):
            fail(msg='%s is not a profile: it has no settings to take the overrides' % path)
        return self.document

    def base_settings(self):
        """The settings every printer takes before its own overrides."""
        settings = dict(self.settings if self.settings is not None else
                        self.file_document()['settings'])
        settings.update(self.shared)
        return settings

    def for_printer(self, overrides):
        """The profile for a printer with these overrides, and how to name it in messages; None
        when the profile file is applied as it is."""
        merged = dict(self.shared)
        merged.update(overrides or {})
        if self.settings is not None:
            settings = dict(self.settings)
            settings.update(merged)
            return {'format': PROFILE_FORMAT, 'version': PROFILE_VERSION,
                    'family': self.module.params['family'], 'settings': settings}, 'settings'
        if not merged:
            return None, self.path
        document = copy.deepcopy(self.file_document())
        document['settings'].update(merged)
        return document, '%s with its overrides' % self.path


def diff_of(changes):
    """The diff of the changes proper, skipped settings already taken out."""
    before, after = {}, {}
    for change in changes:
        name = change.get('setting')
        if 'key' in change:
            # A key's text is never shown; that it changes is.
            if change['key'] == 'changes':
                before[name], after[name] = MASKED, '(masked, changed)'
        else:
            before[name], after[name] = change.get('from'), change.get('to')
    return {'before': before, 'after': after}


def backup_folder(module):
    """The backup folder, made for the owner alone when it is not there."""
    folder = module.params['backup_dir']
    if not os.path.isdir(folder) and not module.check_mode:
        try:
            os.makedirs(folder, 0o700)
        except OSError as e:
            module.fail_json(msg='cannot make the backup folder %s: %s' % (
                folder, e.strerror or e))
    return folder


def verifies(module):
    return module.params['verify'] and not module.check_mode


def write_arguments(module):
    """The options apply and restore take alike, the same for every printer."""
    params = module.params
    args = line_arguments(params) + ['--json']
    for given, option in ((module.check_mode, '--check'), (params['strict'], '--strict'),
                          (verifies(module), '--verify=%d' % params['verify_timeout'])):
        if given:
            args.append(option)
    if params['backup']:
        args.append('--backup=' + backup_folder(module))
    return args


class Run(object):
    """The printers one zephra-cli apply or restore serves together: the serial printers of a
    list, each with its inventory row, or one printer alone."""

    def __init__(self, profile_path, label, printers, address, inventory=None):
        self.profile_path, self.label, self.printers, self.address = (
            profile_path, label, printers, address)
        self.inventory = inventory
        self.cli = None

    def arguments(self, command, shared):
        args = [command, self.profile_path]
        for printer in self.printers:
            args += printer_arguments(printer)
        if self.address is not None:
            args.append('--address=' + self.address)
        if self.inventory is not None:
            args.append('--inventory=' + self.inventory)
        return args + shared

    def named(self, message):
        """zephra-cli's message with the task's names for the files made for it: a row of the
        inventory by its printer's port."""
        if self.inventory is not None:
            message = re.sub(re.escape(self.inventory) + r' row (\d+)', lambda found: '%s with its '
                             'overrides' % self.printers[int(found.group(1)) - 2]['port'], message)
            message = message.replace(self.inventory, "the printers' overrides")
        return message.replace(self.profile_path, self.label)

    def objects(self):
        """Each printer's object from zephra-cli, None for one it gave none, in the order of
        the printers."""
        given = self.cli.printers()
        if len(self.printers) == 1:
            return [given[0] if given else None]
        by_port = dict((item.get('port'), item) for item in given)
        return [by_port.get(printer['port']) for printer in self.printers]


def owner_only_file(module, files, prefix, suffix):
    """A file for the owner alone, since it may hold a key, removed however the task ends."""
    fd, path = tempfile.mkstemp(prefix=prefix, suffix=suffix, dir=module.tmpdir)
    files.append(path)
    return os.fdopen(fd, 'w'), path


def profile_run(module, files, document, label, printers, address=None):
    """A run of the profile document, or of the profile file label names when None."""
    path = label
    if document is not None:
        f, path = owner_only_file(module, files, 'zephra-profile-', '.json')
        with f:
            json.dump(document, f)
    return Run(path, label, printers, address)


def inventory_cells(base, printer):
    """The printer's own overrides as its inventory row's cells, each meaning what it would in
    the profile; None when one cannot (an empty cell means the profile's value)."""
    if NOT_IN_A_CELL.search(printer['port']):
        return None
    cells = {}
    for name, value in (printer.get('overrides') or {}).items():
        tick = isinstance(base.get(name), bool)
        if not isinstance(name, str) or not SETTING_NAME.match(name):
            return None
        if isinstance(value, bool) and tick:
            value = 'true' if value else 'false'
        elif not isinstance(value, str) or tick or not value or NOT_IN_A_CELL.search(value):
            return None
        cells[name] = value
    return cells


def fleet_run(module, files, profile, printers, rows):
    """One run of the serial printers, each row's cells and address in a port-keyed inventory."""
    run = profile_run(module, files, *profile.for_printer(None), printers=printers)
    addresses = [printer.get('address') for printer in printers]
    if not any(rows) and not any(addresses):
        return run
    names = sorted(set(name for cells in rows for name in cells))
    if any(addresses):
        names.insert(0, 'address')
    f, run.inventory = owner_only_file(module, files, 'zephra-inventory-', '.csv')
    with f:
        f.write(','.join(['port'] + names) + '\n')
        writer = csv.writer(f, quoting=csv.QUOTE_ALL, lineterminator='\n')
        for printer, cells, address in zip(printers, rows, addresses):
            writer.writerow([printer['port']] + [address or '' if name == 'address' else
                                                 cells.get(name, '') for name in names])
    return run


def plan_runs(module, command, printers, folder):
    """The runs that serve the printers, and the files made for them. A list's serial printers
    are one run, the rest each alone; restore, which takes no inventory, serves those without
    an address of their own together."""
    if command == 'restore':
        together = [p for p in printers if not p['usb'] and p.get('address') is None]
        runs = [Run(folder, folder, together, None)] if together else []
        return runs + [Run(folder, folder, [p], p.get('address')) for p in printers
                       if p not in together], []
    profile, files = Profile(module), []
    base = profile.base_settings() if module.params['printers'] is not None else None
    serial, rows, runs = [], [], []
    for printer in printers:
        cells = None if base is None or printer['usb'] else inventory_cells(base, printer)
        if cells is None:
            runs.append(profile_run(module, files, *profile.for_printer(printer.get('overrides')),
                                    printers=[printer], address=printer.get('address')))
        else:
            serial.append(printer)
            rows.append(cells)
    if serial:
        runs.insert(0, fleet_run(module, files, profile, serial, rows))
    return runs, files


def entry_of(module, printer, cli):
    """A printer's result from its object: its particulars, changed, and msg when it failed."""
    entry = dict((name, printer.get(name, '')) for name in ('port', 'family', 'model',
                                                            'version'))
    entry['mac'] = mac_form(printer.get('mac', ''))
    # zephra-cli lists the settings its save would skip among the changes; they are none.
    changes = printer.get('changes', [])
    entry['changes'] = [change for change in changes if 'skipped' not in change]
    entry['skipped_settings'] = [dict(setting=change.get('setting'), reason=change['skipped'])
                                 for change in changes if 'skipped' in change]
    for name, returned in (('backup', 'backup_path'), ('restored_from', 'restored_from'),
                           ('network', 'network')):
        if name in printer:
            entry[returned] = printer[name]
    if entry.get('network', {}).get('found_by') == 'inventory':
        # The inventory's addresses are the task's own.
        entry['network'] = dict(entry['network'], found_by='command_line')
    result = printer.get('result')
    if module.params['verify'] and module.check_mode and result in DONE:
        entry['network'] = dict(CHECK_MODE_NETWORK)
    entry['changed'] = result == 'applied' or (module.check_mode and result == 'would-change')
    network = printer.get('network', {})
    if network.get('state') == 'unreachable':
        # As wait_for fails; what was written stays written, and so is a change.
        entry['msg'] = 'unreachable at %s:%s: %s' % (network.get('address'), network.get('port'),
                                                     network.get('reason'))
    elif result not in DONE or printer.get('status', cli.rc) not in (0, 3):
        entry['msg'] = '%s: %s' % (result, printer.get('message') or 'no message')
    return entry


def results(module, runs):
    """Each printer's entry, by the printer's dict, and the run that served it."""
    by_printer = {}
    for run in runs:
        cli = run.cli
        for printer, item in zip(run.printers, run.objects()):
            if item is None:
                entry = dict(port=printer_name(printer), changed=False, msg=last_line(
                    cli.stderr) or 'zephra-cli ended with status %d' % cli.rc)
            else:
                entry = entry_of(module, item, cli)
            if 'msg' in entry:
                entry['msg'] = run.named(entry['msg'])
                if cli.timed_out:
                    entry['msg'] = 'zephra-cli ran past its timeout of %d s: %s' % (
                        cli.timeout, entry['msg'])
            by_printer[id(printer)] = (entry, run)
    return by_printer


def warn_of_skipped(module, entry, where):
    skipped = entry.get('skipped_settings')
    if skipped:
        module.warn('%sSkipped, left as the printer has them: %s' % (where, ', '.join(
            '%s (%s)' % (setting['setting'], setting['reason']) for setting in skipped)))


def finish_one(module, entry, run):
    """The task's result for the one printer of port or usb, as it has always been given."""
    cli = run.cli
    entry.pop('port', None)
    changed = entry.pop('changed')
    message = entry.pop('msg', None)
    warn_of_skipped(module, entry, '')
    if message is not None:
        module.fail_json(msg=message, rc=cli.rc, stderr=cli.stderr, changed=changed, **entry)
    if module._diff:
        entry['diff'] = diff_of(entry['changes'])
    module.exit_json(changed=changed, **entry)


def finish_list(module, entries):
    """The task's result for printers: an entry each, in their order, failed by any that
    failed."""
    changed = any(entry['changed'] for entry in entries)
    for entry in entries:
        warn_of_skipped(module, entry, '%s: ' % entry['port'])
    failed = ['%s: %s' % (entry['port'], entry['msg']) for entry in entries if 'msg' in entry]
    if failed:
        module.fail_json(msg='; '.join(failed), changed=changed, printers=entries)
    outcome = dict(changed=changed, printers=entries)
    if module._diff:
        outcome['diff'] = [dict(diff_of(entry.get('changes', [])), before_header=entry['port'],
                                after_header=entry['port'])
                           for entry in entries if entry.get('changes')]
    module.exit_json(**outcome)


def apply(module, printers, command, folder=None):
    """Runs zephra-cli apply, or restore from folder, on every printer at once, and ends the
    task."""
    params = module.params
    shared = write_arguments(module)
    key = params['key']
    if key is not None:
        shared.append('--key-stdin')
    waits = params['verify_timeout'] if verifies(module) else 0
    runs, files = plan_runs(module, command, printers, folder)
    try:
        clis = run_at_once(module, [(run.arguments(command, shared), key, waits)
                                    for run in runs])
    finally:
        for path in files:
            os.remove(path)
    for run, cli in zip(runs, clis):
        run.cli = cli
    by_printer = results(module, runs)
    if params['printers'] is None:
        finish_one(module, *by_printer[id(printers[0])])
    finish_list(module, [by_printer[id(printer)][0] for printer in printers])


def main():
    printer = dict(PRINTER_OPTIONS, overrides=dict(type='dict'), address=dict(type='str'))
    options = dict(
        printers=dict(type='list', elements='dict', options=printer),
        profile=dict(type='path'),
        settings=dict(type='dict'),
        family=dict(type='str', choices=['current', 'legacy', 'module']),
        overrides=dict(type='dict'),
        key=dict(type='str', no_log=True),
        strict=dict(type='bool', default=False),
        restore=dict(type='path'),
        backup=dict(type='bool', default=False),
        backup_dir=dict(type='path', default='~/.zephra/backups'),
        verify=dict(type='bool', default=False),
        verify_timeout=dict(type='int', default=60),
        address=dict(type='str'),
    )
    options.update(LINK_OPTIONS)
    module = AnsibleModule(
        argument_spec=options,
        required_one_of=[('profile', 'settings', 'restore')],
        mutually_exclusive=[('profile', 'settings', 'restore'), ('profile', 'family'),
                            ('restore', 'family'), ('restore', 'overrides'), ('restore', 'key'),
                            ('printers', 'address')],
        required_by={'settings': 'family'},
        supports_check_mode=True,
    )
    printers = check_link(module)
    if module.params['restore'] is None:
        apply(module, printers, 'apply')
    for number, listed in enumerate(printers, 1):
        if listed.get('overrides'):
            module.fail_json(msg='printer %d: overrides do not go with restore, which writes '
                                 'the backup as it is' % number)
    apply(module, printers, 'restore', os.path.abspath(module.params['restore']))


if __name__ == '__main__':
    main()
